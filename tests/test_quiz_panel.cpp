#include <QDir>
#include <QUrl>

#include "MainWindowFixture.h"
#include "dialogs/frmAbout.h"
#include "mainwindow/MissingCharacterQuiz.h"
#include "platform/Desktop.h"

using namespace velmora;
using test::MainWindow;
using test::WaitFor;

TEST_F(MainWindow, QuizOpensWithAPuzzleAndJudges) {
  ShowAfterTick();
  window->Command5_Click();
  EXPECT_TRUE(c().Picture5->isVisible());
  const QString puzzle = c().Label1->text();
  const QString idiom = c().Label4->text();
  ASSERT_FALSE(puzzle.isEmpty());
  EXPECT_EQ(Characters(puzzle).size(), Characters(idiom).size());
  EXPECT_FALSE(c().Label2->isVisible());
  EXPECT_FALSE(c().Label3->isVisible());
  EXPECT_FALSE(c().Label4->isVisible());
  EXPECT_EQ(c().Label5->text(), "X＝");
  EXPECT_EQ(c().Command8->text(), "判断");
  EXPECT_EQ(c().Command11->text(), "下一题");

  c().Text1->setText("  " + c().Label3->text() + " ");
  window->Command8_Click();
  EXPECT_EQ(c().Label2->text(), "对");
  EXPECT_TRUE(c().Label2->isVisible());
  EXPECT_TRUE(c().Label4->isVisible());
  EXPECT_FALSE(c().Label3->isVisible()) << "the hidden character never shows";
  c().Text1->setText(c().Label3->text() + c().Label3->text());
  window->Command8_Click();
  EXPECT_EQ(c().Label2->text(), "错");
  EXPECT_EQ(QStringList(c().Label1->text()).join("").replace(QLatin1Char('X'), c().Label3->text()), idiom);
}

TEST_F(MainWindow, QuizPanelKeepsItsStateAcrossHidingAndShowing) {
  ShowAfterTick();
  window->Command5_Click();
  const QString puzzle = c().Label1->text();
  c().Text1->setText("错");
  window->Command8_Click();
  window->Command2_Click();
  EXPECT_TRUE(c().txtDetailed->isVisible());
  EXPECT_FALSE(c().Picture5->isVisible());
  window->Command5_Click();
  EXPECT_TRUE(c().Picture5->isVisible());
  EXPECT_EQ(c().Label1->text(), puzzle) << "opening again draws nothing new";
  EXPECT_TRUE(c().Label2->isVisible());
  window->Command2_Click();
  EXPECT_FALSE(c().txtDetailed->isVisible());
  EXPECT_FALSE(c().Picture5->isVisible()) << "the combined-text button hides the panel either way";
  window->Command5_Click();
  Search("yima");
  EXPECT_FALSE(c().Picture5->isVisible()) << "showing an idiom hides the panel";
  window->Command11_Click();
  EXPECT_FALSE(c().Label2->isVisible());
  EXPECT_EQ(c().Text1->text(), "");
}

TEST_F(MainWindow, QuizWithoutIdiomsLeavesThePanelEmpty) {
  Open({});
  window->Command5_Click();
  EXPECT_TRUE(c().Picture5->isVisible());
  EXPECT_EQ(c().Label1->text(), "");
  EXPECT_EQ(c().Label4->text(), "");
}

TEST_F(MainWindow, SpeakButtonReadsTheSpellingOrTheIdiom) {
  EXPECT_EQ(window->TextToSpeak(), "") << "nothing before the first idiom";
  Search("yima");
  EXPECT_EQ(window->TextToSpeak(), "yī mǎ dāng xiān");
  c().txtSpell->clear();
  EXPECT_EQ(window->TextToSpeak(), "一马当先");
  window->Command4_Click();  // no sound device here: returns and the window goes on
  EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, LinksGoToTheDesktop) {
  std::vector<QUrl> opened;
  SetDesktopHandler([&opened](const QUrl &url) { opened.push_back(url); });
  window->cmdHelp_Click();
  EXPECT_TRUE(opened.empty()) << "no help page, nothing handed on";
  install->Write("help/index.html", "<html></html>");
  window->cmdHelp_Click();
  window->cmdEmail_Click();
  window->cmdUpdate_Click();
  SetDesktopHandler({});
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(install->file("help/index.html")));
  EXPECT_EQ(opened[1].toString(), "mailto:velmora@example.org");
  EXPECT_EQ(opened[2].scheme(), "https");
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
  std::vector<QUrl> opened;
  SetDesktopHandler([&opened](const QUrl &url) { opened.push_back(url); });
  emit again.findChild<ClickableLabel *>("lblHttp")->clicked();
  emit again.findChild<ClickableLabel *>("lblEmailAddress")->clicked();
  SetDesktopHandler({});
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].scheme(), "mailto");
}
