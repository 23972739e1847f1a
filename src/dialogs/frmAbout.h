#pragma once
// The about box: product line, copyright, the maker's addresses as links and
// the about text of the current language.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

class ClickableLabel;

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget *parent = nullptr);

 private:
  void Load();
  QLabel *Image1_;
  QLabel *lblSysName_, *lblCoryright_, *lblDataSources_;
  ClickableLabel *lblEmailAddress_, *lblHttp_;
  QPlainTextEdit *txtAboutMemo_;
  QPushButton *cmdOK_;
};

// Hands the maker's mail link and web page to the desktop.
void OpenMakerMail();
void OpenMakerWebPage();

}  // namespace velmora
