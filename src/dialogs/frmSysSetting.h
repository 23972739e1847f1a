#pragma once
// The settings dialog: interface language, data edition (at the next start),
// the user's name and nickname, and the logo picture with an optional copy
// into the installation's "Faces" folder.
#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmora {

inline const QString kLogoFilter = QStringLiteral("Logo files(*.jpg|*.bmp|*.gif)");
inline const QString kLogoPatterns = QStringLiteral("*.jpg;*.bmp;*.gif");
// Told when config.dll cannot be written.
inline const QString kMsgSettingsNotSaved = QStringLiteral("800001002");

class frmSysSetting : public QDialog {
  Q_OBJECT
 public:
  // Chooses an existing file for the filter ("name", NUL, "patterns"); empty
  // when cancelled. Tests replace it.
  using FileChooser = std::function<QString(QWidget *parent, const QString &filter)>;
  static void SetFileChooser(FileChooser chooser);

  explicit frmSysSetting(QWidget *parent = nullptr);

 private:
  void cmdPathSelect_Click();
  void cmdOK_Click();
  void cmdCancel_Click();
  void CreateControls();
  void Load();
  QString StoreLogo();

  QGroupBox *fraWindowsLang_, *fraDatLang_, *fraEffigySetting_;
  QRadioButton *OptGB_, *OptBIG5_, *OptEN_, *OptDatGb_, *OptDatBig5_;
  QLabel *lblReStart_, *lblUserName_, *lblUserCoolName_, *lblEffigyPic_;
  QLineEdit *txtUserName_, *txtUserCoolName_, *txtLogoPath_;
  QPushButton *cmdPathSelect_, *cmdOK_, *cmdCancel_, *cmdImport_;
  QCheckBox *chkCopyToPath_;
  QString loadedEdition_;  // the edition the configuration named when the dialog opened
};

// The file chooser of the dialog: one filter entry, "Load Logo", default
// suffix "jpg", existing files only, names matched without regard to case.
QString ShowOpenFileDialog(QWidget *parent, const QString &filter);

// Copies the file over the target (whole or not at all); true when the
// target then holds it. Copying a file onto itself counts as done.
bool CopyOverwriting(const QString &source, const QString &target);

}  // namespace velmora
