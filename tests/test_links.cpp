// The about box and the buttons that hand help, mail and web to the desktop.
#include <QClipboard>
#include <QGuiApplication>
#include <QUrl>

#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "dialogs/frmAbout.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::RecordedDesktop;

TEST_F(MainWindow, LinksGoToTheDesktop) {
  RecordedDesktop desktop;
  const std::vector<QUrl> &opened = desktop.opened();
  Click(c().cmdHelp);
  EXPECT_TRUE(opened.empty()) << "no help page, nothing handed on";
  install->Write("help/index.html", "<html></html>");
  Click(c().cmdHelp);
  Click(c().cmdEmail);
  Click(c().cmdUpdate);
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(install->file("help/index.html")));
  EXPECT_EQ(opened[1].toString(), "mailto:velmora@example.org");
  EXPECT_EQ(opened[2].scheme(), "https");
  LangName() = "BIG5";
  Click(c().cmdHelp);
  LangName() = "default";
  ASSERT_EQ(opened.size(), 4u);
  EXPECT_EQ(opened[3].fragment(), "zh-hant") << "the traditional reader's part of the page";
}

TEST_F(MainWindow, AboutBoxReadsItsMemoAndCaptionsAtEachOpening) {
  {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.findChild<QPlainTextEdit *>("txtAboutMemo")->toPlainText(), "About text");
    EXPECT_EQ(about.findChild<QLabel *>("lblSysName")->text(), "Velmora 1.0.060227 Beta");
    EXPECT_EQ(about.findChild<QPushButton *>("cmdOK")->text(), "&OK");
    EXPECT_TRUE(about.findChild<QLabel *>("lblEmailAddress")->text().startsWith("Email:"));
  }
  install->WriteLanguage("EN", "[FONT]\nFont=Arial\nSIZE=9\n[Caption]\nOK=Close\nSYSNAME=Velmora\n");
  LangName() = "EN";
  frmAbout again;
  EXPECT_EQ(again.findChild<QPushButton *>("cmdOK")->text(), "Close");
  EXPECT_EQ(again.findChild<QLabel *>("lblSysName")->text(), "Velmora");
  EXPECT_EQ(again.findChild<QPlainTextEdit *>("txtAboutMemo")->toPlainText(), "") << "no AboutMemo key";
  RecordedDesktop desktop;
  const std::vector<QUrl> &opened = desktop.opened();
  Click(again.findChild<ClickableLabel *>("lblHttp"));
  Click(again.findChild<ClickableLabel *>("lblEmailAddress"));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].scheme(), "mailto");
}

TEST_F(MainWindow, AKeyHandedOverAtTheStartShowsItsIdiomWithTheMatchListClosed) {
  window->Lookup().Handle({InstanceRequest::Kind::Search, "ymdx"});  // before the matcher is made
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "一马当先");
  EXPECT_FALSE(window->findChild<QWidget *>("MatchPopup")->isVisible()) << "nothing laid over the idiom";
}

TEST_F(MainWindow, TheLookupPopupSettingHoldsAfterTheAboutBox) {
  install->Write("config.dll",
                 "[language]\nlanguage=default\nDataLanguage=GB\n[system]\nOpenSystem=1\n"
                 "[lookup]\nPopup=0\n");
  ShowAfterTick();
  { frmAbout about; }  // reads the language file last
  window->hide();
  QGuiApplication::clipboard()->setText("他这是刻舟求剑吧");
  window->Lookup().Handle({InstanceRequest::Kind::Selection, {}});
  ASSERT_TRUE(test::WaitFor([&] { return c().txtSearchKey->text() == "刻舟求剑"; }));
  EXPECT_TRUE(window->isVisible()) << "Popup=0: looked up in the window";
  for (const QWidget *popup : window->findChildren<QWidget *>("frmLookup")) EXPECT_FALSE(popup->isVisible());
}
