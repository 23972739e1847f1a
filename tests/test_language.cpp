#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>

#include "platform/QtTranslations.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "TestHooks.h"
#include "TestInstall.h"
#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "lang/Captions.h"
#include "platform/LanguageTexts.h"
#include "platform/ShortcutToolTip.h"
#include "platform/WindowLanguage.h"

using namespace velmora;

namespace {

// A window with controls of several kinds, created in this order.
struct TestWindow {
  QWidget window;
  QLabel *lblUserName = Add<QLabel>("lblUserName", "UserName");
  QPushButton *cmdOK = Add<QPushButton>("cmdOK", "OK");
  QLineEdit *txtSpell = Add<QLineEdit>("txtSpell", "text");
  QPushButton *Command3 = Add<QPushButton>("Command3", "three");
  QToolButton *cmdKOVSearch = Add<QToolButton>("cmdKOVSearch", "");
  QMenu *mnuFile = new QMenu("File", &window);
  QLabel *lblLast = Add<QLabel>("lblLast", "last");

  TestWindow() {
    mnuFile->setObjectName("mnuFile");
    cmdKOVSearch->setProperty("captionAsToolTip", true);
  }
  template <class Control>
  Control *Add(const char *name, const QString &text) {
    auto *control = new Control(&window);
    control->setObjectName(name);
    control->setText(text);
    return control;
  }
};

class Language : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPath() = install.path();
    LangName() = "EN";
  }
  void Apply(TestWindow &w) {
    SetFormFont(&w.window);
    SetLblCaption(&w.window, LangName());
  }
  test::TestInstall install;
};

}  // namespace

TEST(LanguageNames, CaptionKeysAndKindPrefixes) {
  EXPECT_EQ(CaptionKey("lblUserName"), "USERNAME");
  EXPECT_EQ(CaptionKey("cmdOK"), "OK");
  EXPECT_EQ(CaptionKey("OptDatBig5"), "DATBIG5");
  EXPECT_EQ(KindPrefix("OptDatBig5"), "OPT");
  EXPECT_EQ(KindPrefix("Command3"), "COM");
}

TEST(LanguageNames, FontSizes) {
  EXPECT_EQ(FontSizeFromText("9"), 9);
  EXPECT_EQ(FontSizeFromText(" 12 "), 12);
  EXPECT_EQ(FontSizeFromText("10.5"), 10) << "a half goes to the even neighbour";
  EXPECT_EQ(FontSizeFromText("11.5"), 12);
  EXPECT_EQ(FontSizeFromText("9.4"), 9);
  for (const QString bad : {"", "abc", "0", "-3", "99999", "nan", "12pt"})
    EXPECT_FALSE(FontSizeFromText(bad).has_value()) << bad.toStdString();
}

TEST_F(Language, FontAndCaptionsByControlName) {
  install.WriteLanguage("EN",
                        "[FONT]\nFont=Liberation Serif\nSIZE=12\n[Caption]\nusername=Name\nOK=Fine\n"
                        "KOVSEARCH=Search view\nFILE=Archive\nTHREE=x\n");
  TestWindow w;
  const QFont before = w.Command3->font();
  Apply(w);
  EXPECT_EQ(w.lblUserName->font().family(), "Liberation Serif");
  EXPECT_EQ(w.lblUserName->font().pointSize(), 12);
  EXPECT_EQ(w.txtSpell->font().pointSize(), 12);
  EXPECT_EQ(w.cmdOK->font().pointSize(), 12);
  EXPECT_EQ(w.cmdOK->property("FontOver").value<QFont>().pointSize(), 12) << "buttons get their hover font too";
  EXPECT_EQ(w.Command3->font(), before) << "numbered controls take no font";
  EXPECT_EQ(w.lblUserName->text(), "Name") << "keys compare without regard to case";
  EXPECT_EQ(w.cmdOK->text(), "Fine");
  EXPECT_EQ(w.mnuFile->title(), "Archive");
  EXPECT_EQ(w.txtSpell->text(), "text") << "text boxes take no caption";
  EXPECT_EQ(w.Command3->text(), "three");
  EXPECT_EQ(w.cmdKOVSearch->text(), "");
  EXPECT_EQ(w.cmdKOVSearch->toolTip(), "Search view") << "a picture button shows its caption as a tool tip";
  EXPECT_EQ(CurrentIniFile(), LanguageFilePath("EN")) << "the language file stays current";
}

TEST_F(Language, FontStepsStopOnMissingSizeOrName) {
  for (const QByteArray &body :
       {QByteArray("[FONT]\nFont=Liberation Serif\n"), QByteArray("[FONT]\nFont=\nSIZE=12\n"),
        QByteArray("[Caption]\nOK=no font section\n"), QByteArray("[FONT]\nFont=Liberation Serif\nSIZE=huge\n")}) {
    install.WriteLanguage("EN", body);
    TestWindow w;
    const QFont before = w.lblUserName->font();
    SetFormFont(&w.window);
    EXPECT_EQ(w.lblUserName->font(), before) << body.toStdString();
  }
}

TEST_F(Language, DefaultKeepsBuiltInCaptionsButTakesTheFont) {
  install.WriteLanguage("default", "[FONT]\nFont=Liberation Serif\nSIZE=9\n[Caption]\nOK=Fine\n");
  LangName() = "default";
  TestWindow w;
  Apply(w);
  EXPECT_EQ(w.cmdOK->text(), "OK");
  EXPECT_EQ(w.lblUserName->font().pointSize(), 9);
  EXPECT_EQ(w.lblUserName->font().family(), "Liberation Serif");
}

TEST_F(Language, CaptionsWithoutTextKeepTheLastLanguagesText) {
  install.WriteLanguage("EN", "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nOK=Fine\nUSERNAME=Name\n");
  install.WriteLanguage("GB", "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nOK=确定\nUSERNAME=\n");
  TestWindow w;
  Apply(w);
  LangName() = "GB";
  Apply(w);
  EXPECT_EQ(w.cmdOK->text(), "确定");
  EXPECT_EQ(w.lblUserName->text(), "Name") << "an empty text leaves the caption";
  install.WriteLanguage("default", "[FONT]\nFont=Arial\nSIZE=9\n");
  LangName() = "default";
  Apply(w);
  EXPECT_EQ(w.cmdOK->text(), "确定") << "back to default changes no caption";
}

TEST_F(Language, ACaptionFailureStopsTheWalkWithAMessage) {
  install.WriteLanguage(
      "EN", "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nBROKEN=x\nLAST=changed\nLAST2=changed too\nUSERNAME=Name\n");
  TestWindow w;
  auto *broken = new QObject(&w.window);
  broken->setObjectName("lblBroken");
  auto *after = new QLabel("after", &w.window);
  after->setObjectName("lblLast2");
  test::RecordedMessages messages;
  Apply(w);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, "mdlComm:SetLblCaption");
  EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(w.lblUserName->text(), "Name") << "controls before the failure are set";
  EXPECT_EQ(w.lblLast->text(), "changed");
  EXPECT_EQ(after->text(), "after") << "controls after the failure keep their captions";
}

TEST_F(Language, KeyedTextsFollowTheLanguageAndCountsReadNaturally) {
  install.WriteLanguage("GB", "[Caption]\nTHING=名字\nTHINGTIP=提示\nIDIOMONE=1 条成语\nIDIOMMANY=%1 条成语\n");
  LangName() = "GB";
  QWidget window;
  auto *label = new QLabel(&window);
  auto *box = new QLineEdit(&window);
  SetLanguageCaption(label, "THING", "Name");
  SetLanguageText(box, TextRole::Placeholder, "THINGTIP", "Tip");
  SetLanguageName(box, "NOSUCHKEY", "Box");
  EXPECT_EQ(label->text(), "名字");
  EXPECT_EQ(box->placeholderText(), "提示");
  EXPECT_EQ(box->accessibleName(), "Box") << "a key the file lacks: the English";
  EXPECT_EQ(CountCaption(1, "IDIOMONE", "1 idiom", "IDIOMMANY", "%1 idioms"), "1 条成语");
  EXPECT_EQ(CountCaption(3, "IDIOMONE", "1 idiom", "IDIOMMANY", "%1 idioms"), "3 条成语");
  // Another language: every keyed text is worded again.
  LangName() = "EN";
  Retranslate(&window);
  EXPECT_EQ(label->text(), "Name");
  EXPECT_EQ(box->placeholderText(), "Tip");
  EXPECT_EQ(CountCaption(1, "IDIOMONE", "1 idiom", "IDIOMMANY", "%1 idioms"), "1 idiom");
  EXPECT_EQ(CountCaption(0, "IDIOMONE", "1 idiom", "IDIOMMANY", "%1 idioms"), "0 idioms");
  EXPECT_EQ(CountCaption(1, "ONCE", "once", "TIMES", "%1 times"), "once") << "a count without its number";
}

TEST_F(Language, ToolTipsNameTheirShortcutInEveryLanguageWhoeverSetsTheTip) {
  install.WriteLanguage("GB", "[Caption]\nTIPCHAIN=成语接龙\nTIPSHORTCUT=%1（%2）\n");
  LangName() = "GB";
  QToolButton chain, favourite, bare;
  SetLanguageText(&chain, TextRole::ToolTip, "TIPCHAIN", "Idiom chain");
  NameShortcutInToolTip(&chain, Qt::CTRL | Qt::Key_J);
  EXPECT_EQ(chain.toolTip(), "成语接龙（Ctrl+J）");
  favourite.setToolTip("Favourite (Ctrl+D)");
  NameShortcutInToolTip(&favourite, Qt::CTRL | Qt::Key_D);
  EXPECT_EQ(favourite.toolTip(), "Favourite (Ctrl+D)") << "named once";
  favourite.setToolTip("收藏已关闭");  // a state the button shows
  EXPECT_EQ(favourite.toolTip(), "收藏已关闭（Ctrl+D）");
  bare.setAccessibleName("Study view");
  NameShortcutInToolTip(&bare, Qt::CTRL | Qt::Key_4);
  EXPECT_EQ(bare.toolTip(), "Study view（Ctrl+4）");
  LangName() = "EN";
  Retranslate(&chain);
  EXPECT_EQ(chain.toolTip(), "Idiom chain (Ctrl+J)");
}

TEST(QtTexts, StandardButtonsSpeakTheInterfaceLanguage) {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
    GTEST_SKIP() << "Qt's translations are not installed";
  const auto ok = [] { return QCoreApplication::translate("QPlatformTheme", "OK"); };
  UseQtTranslationsFor("GB");
  EXPECT_EQ(ok(), "确定");
  UseQtTranslationsFor("BIG5");
  EXPECT_EQ(ok(), "確定");
  UseQtTranslationsFor("EN");
  EXPECT_EQ(ok(), "OK");
}

TEST(QtTexts, MnemonicsAreMarksOnButtonsAndTextElsewhere) {
  EXPECT_EQ(WithoutMnemonic("确定(&O)"), "确定(O)");
  EXPECT_EQ(WithoutMnemonic("Tom && Jerry"), "Tom & Jerry");
  EXPECT_EQ(WithoutMnemonic("A&"), "A&");
}
