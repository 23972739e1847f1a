#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QTest>

#include "TestHooks.h"
#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "dialogs/frmSysSetting.h"
#include "platform/Restart.h"

using namespace velmora;

namespace {

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPath() = install.path();
    LangName() = "default";
    install.WriteLanguage("default", "[FONT]\nFont=Arial\nSIZE=9\n");
    install.Write("config.dll",
                  "[Setting]\nUserName=Li\nUserCoolName=Dragon\nlogo=\n[language]\nlanguage=EN\n"
                  "Datalanguage=BIG5\n[system]\nOpenSystem=1\n");
    install.Write("Data/Velmdict_cn.dat", "x");
    QDir().mkpath(install.file("Faces"));
  }
  template <class T>
  T *Find(frmSysSetting &dialog, const char *name) {
    T *control = dialog.findChild<T *>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Config(const QString &section, const QString &key) {
    SetIniFile(install.file("config.dll"));
    return ReadIni(section, key, 200);
  }
  test::TestInstall install;
};

QByteArray ReadFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_F(Settings, LoadShowsTheStoredValues) {
  frmSysSetting dialog;
  EXPECT_EQ(dialog.windowTitle(), "System Setting");
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtUserName")->text(), "Li");
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtUserCoolName")->text(), "Dragon");
  EXPECT_TRUE(Find<QLineEdit>(dialog, "txtLogoPath")->isReadOnly());
  EXPECT_TRUE(Find<QRadioButton>(dialog, "OptEN")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>(dialog, "OptGB")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(dialog, "OptDatGb")->isEnabled());
  EXPECT_FALSE(Find<QRadioButton>(dialog, "OptDatBig5")->isEnabled()) << "no Big5 data file";
  EXPECT_TRUE(Find<QRadioButton>(dialog, "OptDatBig5")->isChecked()) << "selected although disabled";
  EXPECT_FALSE(Find<QCheckBox>(dialog, "chkCopyToPath")->isChecked());
  // In a system installation the copy goes to the user's folder, and says so.
  install.Write("system-installation", "");
  frmSysSetting system;
  EXPECT_EQ(Find<QCheckBox>(system, "chkCopyToPath")->text(), "Keep a copy in my own Velmora folder");
  EXPECT_FALSE(Find<QCheckBox>(system, "chkCopyToPath")->toolTip().isEmpty());
}

TEST_F(Settings, LanguageOptionsCompareCaseSensitively) {
  WriteIniTo(install.file("config.dll"), "language", "language", "en");
  frmSysSetting dialog;
  for (const char *option : {"OptGB", "OptBIG5", "OptEN"})
    EXPECT_FALSE(Find<QRadioButton>(dialog, option)->isChecked());
}

TEST_F(Settings, OkStoresEveryValueUnderOneDataLanguageKeyAndOffersARestartForAnotherEdition) {
  test::RecordedMessages messages(MessageAnswer::Cancel);
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtUserName")->setText("王小明");
    Find<QLineEdit>(dialog, "txtUserCoolName")->setText("");
    Find<QRadioButton>(dialog, "OptGB")->setChecked(true);
    Find<QRadioButton>(dialog, "OptDatGb")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(Config("Setting", "UserName"), "王小明");
  EXPECT_EQ(Config("Setting", "UserCoolName"), "");
  EXPECT_EQ(Config("language", "language"), "GB");
  EXPECT_EQ(Config("language", "DataLanguage"), "GB");
  EXPECT_EQ(LangName(), "GB");
  EXPECT_EQ(ReadFile(install.file("config.dll")).count("anguage="), 2) << "one language and one data language line";
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].text.contains("Start Velmora again now?")) << messages.shown()[0].text.toStdString();
  EXPECT_FALSE(RestartRequested()) << "declined";
  frmSysSetting again;
  EXPECT_TRUE(Find<QRadioButton>(again, "OptDatGb")->isChecked());
  QTest::mouseClick(Find<QPushButton>(again, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(messages.shown().size(), 1u) << "the same edition needs no restart";
}

TEST_F(Settings, NoOptionSelectedWritesEmptyValuesAndKeepsTheDefaultLanguage) {
  WriteIniTo(install.file("config.dll"), "language", "language", "default");
  WriteIniTo(install.file("config.dll"), "language", "DataLanguage", "");
  LangName() = "default";
  {
    frmSysSetting dialog;
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(Config("language", "language"), "");
  EXPECT_EQ(Config("language", "DataLanguage"), "");
  EXPECT_EQ(LangName(), "default");
}

TEST_F(Settings, CancelWritesNothing) {
  const QByteArray before = ReadFile(install.file("config.dll"));
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtUserName")->setText("changed");
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
  }
  EXPECT_EQ(ReadFile(install.file("config.dll")), before);
}

TEST_F(Settings, LogoIsCopiedIntoFacesOnceAndOnlyWhenAsked) {
  test::TestInstall pictures;
  pictures.Write("me.jpg", "picture");
  const QString target = install.file("Faces/me.jpg");
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtLogoPath")->setText(pictures.file("me.jpg"));
    Find<QCheckBox>(dialog, "chkCopyToPath")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(ReadFile(target), "picture");
  EXPECT_EQ(Config("Setting", "logo"), target);
  install.Write("Faces/me.jpg", "edited copy");
  {
    frmSysSetting dialog;
    Find<QCheckBox>(dialog, "chkCopyToPath")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(ReadFile(target), "edited copy") << "the path is the target already: nothing is copied";
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtLogoPath")->setText(pictures.file("me.jpg"));
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(Config("Setting", "logo"), pictures.file("me.jpg")) << "without the copy option the path is stored";
}

TEST_F(Settings, FailedCopyKeepsTheChosenPath) {
  QDir(install.file("Faces")).removeRecursively();
  test::TestInstall pictures;
  pictures.Write("me.jpg", "picture");
  for (const QString &chosen : {pictures.file("me.jpg"), QString(), pictures.file("missing.jpg")}) {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtLogoPath")->setText(chosen);
    Find<QCheckBox>(dialog, "chkCopyToPath")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(Config("Setting", "logo"), chosen);
  }
}

TEST_F(Settings, CopyOntoItselfKeepsTheFile) {
  install.Write("Faces/Me.JPG", "picture");
  EXPECT_TRUE(CopyOverwriting(install.file("Faces/Me.JPG"), install.file("Faces/Me.JPG")));
  QFile::link(install.file("Faces/Me.JPG"), install.file("link.jpg"));
  EXPECT_TRUE(CopyOverwriting(install.file("link.jpg"), install.file("Faces/Me.JPG")));
  EXPECT_EQ(ReadFile(install.file("Faces/Me.JPG")), "picture");
  EXPECT_FALSE(CopyOverwriting(install.file("Faces"), install.file("x.jpg"))) << "a folder is not copied";
  install.Write("private.jpg", "picture");
  QFile::setPermissions(install.file("private.jpg"), QFile::ReadOwner | QFile::WriteOwner);
  install.Write("Faces/private.jpg", "older");
  ASSERT_TRUE(CopyOverwriting(install.file("private.jpg"), install.file("Faces/private.jpg")));
  EXPECT_EQ(QFile::permissions(install.file("Faces/private.jpg")) & ~(QFile::ReadUser | QFile::WriteUser),
            QFile::ReadOwner | QFile::WriteOwner)
      << "a private picture stays private";
}

TEST_F(Settings, UnwritableConfigurationIsToldAndLeftAlone) {
  QFile::setPermissions(install.file("config.dll"), QFile::ReadOwner);
  const QByteArray before = ReadFile(install.file("config.dll"));
  test::RecordedMessages messages;
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtUserName")->setText("new");
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  EXPECT_EQ(ReadFile(install.file("config.dll")), before);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(messages.shown()[0].text.contains("config.dll"));
}

TEST_F(Settings, BrowseUsesTheLogoFilterAndKeepsThePathWhenCancelled) {
  test::ChosenFile chooser("/pictures/me.gif");
  frmSysSetting dialog;
  QTest::mouseClick(Find<QPushButton>(dialog, "cmdPathSelect"), Qt::LeftButton);
  ASSERT_EQ(chooser.filters().size(), 1u);
  EXPECT_EQ(chooser.filters()[0], QStringLiteral("Logo files(*.jpg|*.bmp|*.gif)") + QChar(0) + "*.jpg;*.bmp;*.gif" +
                                      QChar(0) + QChar(0) + QChar(0));
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtLogoPath")->text(), "/pictures/me.gif");
  chooser.SetPath(QString());
  QTest::mouseClick(Find<QPushButton>(dialog, "cmdPathSelect"), Qt::LeftButton);
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtLogoPath")->text(), "/pictures/me.gif");
}

TEST_F(Settings, ShippedLanguagesRelabelTheDialog) {
  const QString shipped = QStringLiteral(VELMORA_INSTALL_SOURCE) + "/Lang/";
  for (const QString name : {"GB", "BIG5", "EN"})
    QFile::copy(shipped + name + ".lng", install.file("Lang/" + name + ".lng"));
  const std::vector<std::pair<QString, QString>> expected = {
      {"GB", "简体中文"}, {"BIG5", "簡體中文"}, {"EN", "Simplified Chinese"}};
  for (const auto &[language, optGb] : expected) {
    LangName() = language;
    frmSysSetting dialog;
    EXPECT_EQ(Find<QRadioButton>(dialog, "OptGB")->text(), optGb);
    EXPECT_FALSE(Find<QRadioButton>(dialog, "OptDatBig5")->text().isEmpty());
    EXPECT_NE(Find<QCheckBox>(dialog, "chkCopyToPath")->text(), "Copy To Install Path");
    EXPECT_TRUE(
        Find<QRadioButton>(dialog, "OptGB")
            ->font()
            .families()
            .contains(language == "EN" ? "Arial" : (language == "GB" ? "Noto Sans CJK SC" : "Noto Sans CJK TC")));
  }
}

TEST_F(Settings, VeryLongLogoPathIsStoredAndReadBackWithinItsBuffer) {
  const QString path = "/" + QString(1000, QLatin1Char('p')) + ".jpg";
  {
    frmSysSetting dialog;
    Find<QLineEdit>(dialog, "txtLogoPath")->setText(path);
    QTest::mouseClick(Find<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  }
  SetIniFile(install.file("config.dll"));
  EXPECT_EQ(ReadIni("Setting", "logo", 2000), path);
  frmSysSetting again;
  EXPECT_EQ(Find<QLineEdit>(again, "txtLogoPath")->text(), path.left(199));
}
