#include "frmSysSetting.h"

#include "frmImport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "lang/Captions.h"
#include "lang/Messages.h"
#include "platform/LanguageTexts.h"
#include "platform/MessageBoxes.h"
#include "platform/QtTranslations.h"
#include "platform/Restart.h"
#include "platform/Twips.h"
#include "platform/WindowLanguage.h"

namespace velmora {

namespace {

frmSysSetting::FileChooser &Chooser() {
  static frmSysSetting::FileChooser chooser = ShowOpenFileDialog;
  return chooser;
}

template <class Control>
Control *Make(QWidget *parent, const char *name, const QString &caption, double left, double top, double width,
              double height) {
  auto *control = MakeAt<Control>(parent, name, left, top, width, height);
  if constexpr (std::is_base_of_v<QGroupBox, Control>)
    control->setTitle(caption);
  else if constexpr (std::is_base_of_v<QLineEdit, Control>)
    control->setText(caption);
  else
    control->setText(caption);
  // Option buttons and check boxes designed lower than their text keep their
  // top and get the height their text needs.
  if constexpr (std::is_base_of_v<QAbstractButton, Control> && !std::is_base_of_v<QPushButton, Control>)
    control->resize(control->width(), std::max(control->height(), control->sizeHint().height()));
  return control;
}

}  // namespace

void frmSysSetting::SetFileChooser(FileChooser chooser) {
  Chooser() = chooser ? std::move(chooser) : FileChooser(ShowOpenFileDialog);
}

QString ShowOpenFileDialog(QWidget *parent, const QString &filter) {
  const QStringList parts = filter.split(QChar(0), Qt::SkipEmptyParts);
  const QString name = parts.value(0);
  const QString patterns = parts.value(1).split(QLatin1Char(';')).join(QLatin1Char(' '));
  QFileDialog dialog(parent, QStringLiteral("Load Logo"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(QStringLiteral("jpg"));
  dialog.setNameFilter(name + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  dialog.setFilter((dialog.filter() | QDir::AllDirs) & ~QDir::CaseSensitive);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

bool CopyOverwriting(const QString &source, const QString &target) {
  const QFileInfo from(source), to(target);
  if (!from.isFile()) return false;
  if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()) return true;
  QFile input(source);
  QSaveFile output(target);
  if (!input.open(QIODevice::ReadOnly) || !output.open(QIODevice::WriteOnly)) return false;
  // The copy is no more open than the picture it copies: a private logo
  // stays private.
  output.setPermissions(from.permissions() & ~(QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup |
                                               QFileDevice::ExeOther));
  char buffer[64 * 1024];
  qint64 read;
  while ((read = input.read(buffer, sizeof buffer)) > 0)
    if (output.write(buffer, read) != read) {
      output.cancelWriting();
      return false;
    }
  return read == 0 && output.commit();
}

frmSysSetting::frmSysSetting(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSysSetting"));
  setWindowTitle(QStringLiteral("System Setting"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(Px(6030), Px(4560));
  setFont(QFont(QStringLiteral("Arial"), 9));
  // Frame captions sit on the frame's border, so that the options below
  // them keep their places inside.
  setStyleSheet(QStringLiteral(
      "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: 0.55em; }"
      "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 8px; padding: 0 3px; }"));
  CreateControls();
  connect(cmdPathSelect_, &QPushButton::clicked, this, &frmSysSetting::cmdPathSelect_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &frmSysSetting::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmSysSetting::cmdCancel_Click);
  connect(cmdImport_, &QPushButton::clicked, this, [this] {
    frmImport import(this);
    import.exec();
  });
  Load();
}

void frmSysSetting::CreateControls() {
  fraWindowsLang_ = Make<QGroupBox>(this, "fraWindowsLang", "Windows Lang", 120, 120, 5775, 735);
  OptGB_ = Make<QRadioButton>(fraWindowsLang_, "OptGB", "GB", 240, 360, 2055, 255);
  OptBIG5_ = Make<QRadioButton>(fraWindowsLang_, "OptBIG5", "BIG5", 2280, 360, 1935, 255);
  OptEN_ = Make<QRadioButton>(fraWindowsLang_, "OptEN", "ENGLISH", 4260, 360, 1455, 255);
  fraDatLang_ = Make<QGroupBox>(this, "fraDatLang", "Data Lang", 120, 960, 5775, 615);
  OptDatGb_ = Make<QRadioButton>(fraDatLang_, "OptDatGb", "GB", 240, 260, 2055, 180);
  OptDatBig5_ = Make<QRadioButton>(fraDatLang_, "OptDatBig5", "BIG5", 2280, 240, 1935, 255);
  lblReStart_ = Make<QLabel>(fraDatLang_, "lblReStart", "(*) ReStart", 4260, 300, 1335, 255);
  lblReStart_->setStyleSheet(QStringLiteral("color: red;"));
  fraEffigySetting_ = Make<QGroupBox>(this, "fraEffigySetting", "Effigy Setting", 120, 1680, 5775, 2295);
  lblUserName_ = Make<QLabel>(fraEffigySetting_, "lblUserName", "UserName:", 330, 360, 960, 225);
  txtUserName_ = Make<QLineEdit>(fraEffigySetting_, "txtUserName", "", 1320, 360, 3855, 350);
  lblUserCoolName_ = Make<QLabel>(fraEffigySetting_, "lblUserCoolName", "UserCoolName:", -75, 870, 1350, 225);
  txtUserCoolName_ = Make<QLineEdit>(fraEffigySetting_, "txtUserCoolName", "", 1320, 900, 3855, 350);
  lblEffigyPic_ = Make<QLabel>(fraEffigySetting_, "lblEffigyPic", "EffigyPic:", 540, 1440, 735, 225);
  txtLogoPath_ = Make<QLineEdit>(fraEffigySetting_, "txtLogoPath", "", 1320, 1440, 3855, 350);
  txtLogoPath_->setReadOnly(true);
  cmdPathSelect_ = Make<QPushButton>(fraEffigySetting_, "cmdPathSelect", "...", 5280, 1440, 375, 345);
  chkCopyToPath_ = Make<QCheckBox>(fraEffigySetting_, "chkCopyToPath", "Copy To Install Path", 1320, 1920, 3135, 180);
  cmdOK_ = Make<QPushButton>(this, "cmdOK", "&Ok", 3000, 4080, 1215, 405);
  cmdCancel_ = Make<QPushButton>(this, "cmdCancel", "&Cancel", 4560, 4080, 1215, 405);
  // Beside the design's buttons, in room the design leaves free: new data
  // for the dictionary.
  cmdImport_ = Make<QPushButton>(this, "cmdImport", "Import idioms…", 150, 4080, 2700, 405);
  cmdOK_->setDefault(true);
  for (QLabel *label : {lblUserName_, lblUserCoolName_, lblEffigyPic_})
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetLanguageName(txtUserName_, "ACCUSERNAME", "User name");
  SetLanguageName(txtUserCoolName_, "ACCNICKNAME", "Nickname");
  SetLanguageName(txtLogoPath_, "ACCLOGOPATH", "Logo picture");
  SetLanguageName(cmdPathSelect_, "ACCPATHSELECT", "Browse for a logo picture");
}

void frmSysSetting::Load() {
  SetFormFont(this);
  SetLblCaption(this, LangName());
  // A system installation's folder is no one's to write: the copy goes to
  // the user's own folder, and the box says so.
  if (UsesUserFolders()) {
    chkCopyToPath_->setText(CaptionOr("COPYTOUSER", "Keep a copy in my own Velmora folder"));
    chkCopyToPath_->setToolTip(ResolvePath(FacesFolder()));
  }
  FitCaptions(this);
  const QString config = ConfigFilePath();
  txtUserName_->setText(ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("UserName"), 50));
  txtUserCoolName_->setText(ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("UserCoolName"), 100));
  txtLogoPath_->setText(ReadIniFrom(config, QStringLiteral("Setting"), QStringLiteral("logo"), 200));
  const QString language = ReadIniFrom(config, QStringLiteral("language"), QStringLiteral("language"), 20);
  OptGB_->setChecked(language == QLatin1String("GB"));
  OptBIG5_->setChecked(language == QLatin1String("BIG5"));
  OptEN_->setChecked(language == QLatin1String("EN"));
  OptDatGb_->setEnabled(FileExists(DataFilePath(QStringLiteral("GB"))));
  OptDatBig5_->setEnabled(FileExists(DataFilePath(QStringLiteral("BIG5"))));
  const QString data = ReadIniFrom(config, QStringLiteral("language"), QStringLiteral("Datalanguage"), 20);
  loadedEdition_ = data;
  OptDatGb_->setChecked(data == QLatin1String("GB"));
  OptDatBig5_->setChecked(data == QLatin1String("BIG5"));
  chkCopyToPath_->setChecked(false);
}

void frmSysSetting::cmdPathSelect_Click() {
  const QString filter = kLogoFilter + QChar(0) + kLogoPatterns + QChar(0) + QChar(0) + QChar(0);
  const QString chosen = Chooser()(this, filter);
  if (!chosen.isEmpty()) txtLogoPath_->setText(chosen);
}

// The logo value to store: the copy in "Faces" when asked for and made,
// otherwise the chosen path itself (a failed copy must not leave a path to a
// file that does not exist).
QString frmSysSetting::StoreLogo() {
  const QString chosen = txtLogoPath_->text();
  if (!chkCopyToPath_->isChecked()) return chosen;
  const QString target = ResolvePath(FacesFolder()) + FileNameOfPath(chosen);
  if (target == chosen) return target;
  return CopyOverwriting(ResolvePath(chosen), target) ? target : chosen;
}

void frmSysSetting::cmdOK_Click() {
  const QString language = OptGB_->isChecked()     ? QStringLiteral("GB")
                           : OptBIG5_->isChecked() ? QStringLiteral("BIG5")
                           : OptEN_->isChecked()   ? QStringLiteral("EN")
                                                   : QString();
  const QString data = OptDatGb_->isChecked()     ? QStringLiteral("GB")
                       : OptDatBig5_->isChecked() ? QStringLiteral("BIG5")
                                                  : QString();
  // One replacement of the file for all five values, so that a crash in
  // between leaves either the old settings or the new ones.
  const QString configFile = ConfigFileForWriting();
  const bool saved =
      WriteIniValues(configFile, {{QStringLiteral("Setting"), QStringLiteral("UserName"), txtUserName_->text()},
                                  {QStringLiteral("Setting"), QStringLiteral("UserCoolName"), txtUserCoolName_->text()},
                                  {QStringLiteral("Setting"), QStringLiteral("logo"), StoreLogo()},
                                  {QStringLiteral("language"), QStringLiteral("language"), language},
                                  {QStringLiteral("language"), QStringLiteral("DataLanguage"), data}});
  LangName() = language.isEmpty() ? QStringLiteral("default") : language;
  // Qt's own buttons (OK, Cancel) speak the new language from the next box on.
  UseQtTranslationsFor(LangName());
  if (!saved) {
    QString text = GetMessageText(kMsgSettingsNotSaved);
    if (text.isEmpty())
      text = QStringLiteral("The settings could not be saved: ") + configFile + QStringLiteral(" cannot be written.");
    ShowMessageBox({text, kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
  }
  accept();
  // The edition is opened at the start only.
  if (saved && !data.isEmpty() && data.compare(loadedEdition_, Qt::CaseInsensitive) != 0)
    OfferRestart(CaptionOr("EDITIONCHANGED", "The dictionary edition is changed."), kProgramTitle);
}

void frmSysSetting::cmdCancel_Click() { reject(); }

}  // namespace velmora
