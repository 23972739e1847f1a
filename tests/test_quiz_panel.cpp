
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "MainWindowFixture.h"

#include "mainwindow/detail/DetailPane.h"
#include "platform/SoundOutput.h"
#include "platform/Voice.h"
#include "practice/MissingCharacterQuiz.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::WaitFor;

TEST_F(MainWindow, QuizOpensWithAPuzzleAndJudges) {
  ShowAfterTick();
  Click(c().Command5);
  EXPECT_TRUE(c().Picture5->isVisible());
  const QString puzzle = c().Picture5->controls().Label1->text();
  const QString idiom = c().Picture5->controls().Label4->text();
  ASSERT_FALSE(puzzle.isEmpty());
  EXPECT_EQ(Characters(puzzle).size(), Characters(idiom).size());
  EXPECT_FALSE(c().Picture5->controls().Label2->isVisible());
  EXPECT_FALSE(c().Picture5->controls().Label3->isVisible());
  EXPECT_FALSE(c().Picture5->controls().Label4->isVisible());
  EXPECT_EQ(c().Picture5->controls().Label3->accessibleName(), "Hidden character")
      << "a screen reader never reads the answer";
  EXPECT_EQ(c().Picture5->controls().Label4->accessibleName(), "Solution");
  EXPECT_EQ(c().Picture5->controls().Label5->text(), "X＝");
  EXPECT_EQ(c().Picture5->controls().Command8->text(), "判断");
  EXPECT_EQ(c().Picture5->controls().Command11->text(), "下一题");

  c().Picture5->controls().Text1->setText("  " + c().Picture5->controls().Label3->text() + " ");
  Click(c().Picture5->controls().Command8);
  EXPECT_EQ(c().Picture5->controls().Label2->text(), "对");
  EXPECT_TRUE(c().Picture5->controls().Label2->isVisible());
  EXPECT_TRUE(c().Picture5->controls().Label4->isVisible());
  EXPECT_FALSE(c().Picture5->controls().Label3->isVisible()) << "the hidden character never shows";
  EXPECT_EQ(c().Picture5->controls().Label4->accessibleName(), "")
      << "after the verdict the solution reads as its text";
  c().Picture5->controls().Text1->setText(c().Picture5->controls().Label3->text() +
                                          c().Picture5->controls().Label3->text());
  Click(c().Picture5->controls().Command8);
  EXPECT_EQ(c().Picture5->controls().Label2->text(), "错");
  EXPECT_EQ(QStringList(c().Picture5->controls().Label1->text())
                .join("")
                .replace(QLatin1Char('X'), c().Picture5->controls().Label3->text()),
            idiom);
}

TEST_F(MainWindow, QuizPanelKeepsItsStateAcrossHidingAndShowing) {
  ShowAfterTick();
  Click(c().Command5);
  const QString puzzle = c().Picture5->controls().Label1->text();
  c().Picture5->controls().Text1->setText("错");
  Click(c().Picture5->controls().Command8);
  Click(c().Command2);
  EXPECT_TRUE(c().txtDetailed->isVisible());
  EXPECT_FALSE(c().Picture5->isVisible());
  Click(c().Command5);
  EXPECT_TRUE(c().Picture5->isVisible());
  EXPECT_EQ(c().Picture5->controls().Label1->text(), puzzle) << "opening again draws nothing new";
  EXPECT_TRUE(c().Picture5->controls().Label2->isVisible());
  Click(c().Command2);
  EXPECT_FALSE(c().txtDetailed->isVisible());
  EXPECT_FALSE(c().Picture5->isVisible()) << "the combined-text button hides the panel either way";
  Click(c().Command5);
  Search("yima");
  EXPECT_FALSE(c().Picture5->isVisible()) << "showing an idiom hides the panel";
  Click(c().Picture5->controls().Command11);
  EXPECT_FALSE(c().Picture5->controls().Label2->isVisible());
  EXPECT_EQ(c().Picture5->controls().Text1->text(), "");
}

TEST_F(MainWindow, QuizWithoutIdiomsLeavesThePanelEmpty) {
  Open({});
  Click(c().Command5);
  EXPECT_TRUE(c().Picture5->isVisible());
  EXPECT_EQ(c().Picture5->controls().Label1->text(), "");
  EXPECT_EQ(c().Picture5->controls().Label4->text(), "");
}

TEST_F(MainWindow, SpeakButtonReadsTheSpellingOrTheIdiom) {
  EXPECT_EQ(window->Detail().TextToSpeak(), "") << "nothing before the first idiom";
  Search("yima");
  EXPECT_EQ(window->Detail().TextToSpeak(), "yī mǎ dāng xiān");
  // An idiom without a spelling is read as its characters.
  Reader reader;
  DetailPane pane(c(), reader, {}, nullptr);
  IdiomRecord bare;
  bare.idiom = "一马当先";
  reader.Show(bare, Reader::Reason::Start);
  EXPECT_EQ(pane.TextToSpeak(), "一马当先");
  // No sound output: said on the button, and the window goes on.
  SetSoundOutputOpener([](int, QString *error) {
    *error = "Connection refused";
    return std::unique_ptr<SoundOutput>();
  });
  Click(c().Command4);
  EXPECT_TRUE(window->isVisible());
  if (SynthesizeSamples("yī").empty()) GTEST_SKIP() << "espeak-ng has no voice data here";
  EXPECT_TRUE(WaitFor([&] { return c().Command4->toolTip() == "No sound output"; }, 10000));
  SetSoundOutputOpener({});
}

TEST_F(MainWindow, TheChainSaysThereIsNoRoundWithoutIdiomsAndTakesKeysSafely) {
  Open({});
  ShowAfterTick();
  Click(c().cmdChain);
  QWidget *panel = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (panel = window->findChild<QWidget *>("frmChain")) && panel->isVisible(); }, 5000));
  auto *status = panel->findChild<QLabel *>("lblChainStatus");
  ASSERT_TRUE(WaitFor([&] { return status->text().startsWith("No round can start"); }, 10000))
      << status->text().toStdString();
  auto *key = panel->findChild<QLineEdit *>("txtChainKey");
  key->setText("yima");
  QTest::keyClick(key, Qt::Key_Return);  // no chain to follow: nothing played, nothing crashes
  EXPECT_TRUE(status->text().startsWith("No round can start"));
}

TEST_F(MainWindow, TodaysChainStartsFromTheDaysIdiomAndEveryMoveShowsItsReading) {
  ShowAfterTick();
  Click(c().cmdChain);
  QWidget *panel = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (panel = window->findChild<QWidget *>("frmChain")) && panel->isVisible(); }, 5000));
  auto *chain = panel->findChild<QListWidget *>("lstChain");
  ASSERT_TRUE(WaitFor([&] { return chain->count() > 0; }, 10000));
  auto *today = panel->findChild<QPushButton *>("cmdChainToday");
  ASSERT_NE(today, nullptr);
  today->click();
  ASSERT_GT(chain->count(), 0);
  const QString start = chain->item(0)->data(Qt::UserRole).toString();
  // Each move: the idiom, then its reading and the start of its meaning.
  EXPECT_TRUE(chain->item(0)->text().startsWith(start + "\n")) << chain->item(0)->text().toStdString();
  panel->findChild<QPushButton *>("cmdChainNew")->click();
  EXPECT_EQ(panel->focusWidget(), panel->findChild<QLineEdit *>("txtChainKey")) << "typing goes on in the box";
  // Before a key, every idiom that may follow is there to choose, each with its reading.
  auto *matches = panel->findChild<QListWidget *>("lstChainMatches");
  const QString turn = panel->findChild<QLabel *>("lblChainStatus")->text();
  if (turn.contains("can follow")) {
    ASSERT_GT(matches->count(), 0) << turn.toStdString();
    EXPECT_NE(matches->item(0)->text(), matches->item(0)->data(Qt::UserRole).toString());
  }
  today->click();
  EXPECT_EQ(chain->item(0)->data(Qt::UserRole).toString(), start) << "the day's idiom is the same all day";
  EXPECT_TRUE(panel->findChild<QLabel *>("lblChainBest")->text().contains("today's best: 1"))
      << "the day's round, left, counts as it stood";
}
