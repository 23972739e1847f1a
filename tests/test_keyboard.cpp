// The main window from the keyboard, favourites and history, and what the
// window remembers between runs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSet>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "config/InstallLayout.h"
#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "editions/StrokeFileWriter.h"
#include "mainwindow/characters/CharacterCard.h"
#include "mainwindow/characters/StrokeView.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/study/StudyQuestionView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/FileDialogs.h"

using namespace velmora;
using test::Click;
using test::WaitFor;

namespace {

class Keyboard : public test::MainWindow {
 protected:
  void SetUp() override {
    MainWindow::SetUp();
    Activate();
    ShowAfterTick();
  }
  void Activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // A key pressed wherever the focus is, as a person types it.
  void Press(QKeyCombination keys) {
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
  }
  QWidget *Focused() const { return QApplication::focusWidget(); }
  QString Shown() const { return c().txtIdiom->text(); }
  // Closes the window as the user does and opens a new one on the same
  // installation and user.
  void Restart() {
    window->close();
    window = std::make_unique<frmVELM>();
    window->ShowAsRemembered();
    Activate();
    ShowAfterTick();
  }
};

TEST_F(Keyboard, TypingAtOnceSearchesAndTheKeysMoveBetweenBoxAndList) {
  ASSERT_EQ(Focused(), c().txtSearchKey);
  QTest::keyClicks(Focused(), "bksy");
  ShowAfterTick();
  EXPECT_EQ(Shown(), "不可思议");
  Press(Qt::Key_Escape);  // the match list closes first
  EXPECT_EQ(c().txtSearchKey->text(), "bksy");
  Press(Qt::Key_Escape);  // then the box empties
  EXPECT_EQ(c().txtSearchKey->text(), "");
  Press(Qt::Key_Down);
  EXPECT_EQ(Focused(), c().lstKovSearch);
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);  // shown at once, not after the tick
  const SearchController &list = window->Browse().SearchList();
  EXPECT_EQ(Shown(), list.Model().IdiomAt(list.CurrentRow()));
  EXPECT_NE(Shown(), "不可思议");
  // A list, though drawn as a table: the arrows across stay on the row, the
  // ends are the list's.
  const int row = list.CurrentRow();
  Press(Qt::Key_Right);
  Press(Qt::Key_Left);
  EXPECT_EQ(list.CurrentRow(), row);
  Press(Qt::Key_End);
  EXPECT_EQ(list.CurrentRow(), list.Model().rowCount() - 1);
  Press(Qt::Key_Home);
  EXPECT_EQ(list.CurrentRow(), 0);
  c().txtSearchKey->setText("abc");
  Press(Qt::CTRL | Qt::Key_L);
  EXPECT_EQ(Focused(), c().txtSearchKey);
  EXPECT_EQ(c().txtSearchKey->selectedText(), "abc");
}

TEST_F(Keyboard, ViewsTakeTheFocusAndTheTreeShowsWhatTheArrowsReach) {
  Press(Qt::CTRL | Qt::Key_2);
  EXPECT_EQ(window->Browse().CurrentView(), View::Index);
  EXPECT_EQ(Focused(), c().trvIdiomDir);
  c().trvIdiomDir->setCurrentItem(c().trvIdiomDir->Node("MB"));
  c().trvIdiomDir->expandItem(c().trvIdiomDir->Node("MB"));
  Press(Qt::Key_Down);
  EXPECT_EQ(Shown(), c().trvIdiomDir->currentItem()->text(0));
  EXPECT_EQ(c().trvIdiomDir->currentItem()->parent(), c().trvIdiomDir->Node("MB"));
  Press(Qt::CTRL | Qt::Key_F);  // back to the search view, in the box
  EXPECT_EQ(window->Browse().CurrentView(), View::Search);
  EXPECT_EQ(Focused(), c().txtSearchKey);
  Click(c().Command5);
  Click(c().Picture5->controls().Command11);
  EXPECT_EQ(Focused(), c().Picture5->controls().Text1);
}

TEST_F(Keyboard, BackAndForwardWalkTheIdiomsOfThisRun) {
  const QString first = Shown();
  for (const char *key : {"bksy", "ymdx"}) {
    Search(key);
    Press(Qt::Key_Return);  // chosen: kept on the way back
    ShowAfterTick();
  }
  Search("abjb");  // passed while typing: not kept
  Press(Qt::ALT | Qt::Key_Left);
  EXPECT_EQ(Shown(), "一马当先") << "back from an idiom passed is the last one chosen";
  Press(Qt::ALT | Qt::Key_Left);
  EXPECT_EQ(Shown(), "不可思议");
  Press(Qt::ALT | Qt::Key_Left);
  EXPECT_EQ(Shown(), "不可思议") << first.toStdString() << " was shown by itself, not chosen";
  Press(Qt::ALT | Qt::Key_Right);
  EXPECT_EQ(Shown(), "一马当先");
  QTest::mouseClick(c().lstKovSearch->viewport(), Qt::BackButton);
  EXPECT_EQ(Shown(), "不可思议");
  QTest::mouseClick(c().txtExplain->viewport(), Qt::ForwardButton);
  EXPECT_EQ(Shown(), "一马当先");
}

TEST_F(Keyboard, FavouritesAreStarredListedChosenRemovedAndExported) {
  Search("ymdx");
  Press(Qt::CTRL | Qt::Key_D);
  EXPECT_TRUE(c().cmdFavourite->isChecked());
  Search("bksy");
  EXPECT_FALSE(c().cmdFavourite->isChecked());
  c().cmdFavourite->toggle();  // a screen reader's Toggle: no click
  Press(Qt::CTRL | Qt::Key_3);
  ASSERT_EQ(window->Browse().CurrentView(), View::Favourites);
  EXPECT_FALSE(c().lstKovSearch->isVisible());
  EXPECT_EQ(c().picFavourites->FavouriteIdioms(), QStringList({"不可思议", "一马当先"}));
  EXPECT_EQ(Focused(), c().picFavourites->FavouritesList());
  Press(Qt::Key_Down);  // moving to an entry shows it, as the list does
  ShowAfterTick();
  EXPECT_EQ(Shown(), "一马当先");
  EXPECT_TRUE(c().cmdFavourite->isChecked());
  EXPECT_EQ(c().lblUp->text(), "不可思议");

  QString written;
  SetSaveFileChooser([&](QWidget *, const QString &, const QString &, const QString &) {
    return written = install->file("favourites.txt");
  });
  Click(c().picFavourites->findChild<QPushButton *>("cmdFavExport"));
  SetSaveFileChooser({});
  QFile deck(written);
  ASSERT_TRUE(deck.open(QIODevice::ReadOnly));
  const QStringList cards = QString::fromUtf8(deck.readAll()).split('\n').filter("\t");
  ASSERT_EQ(cards.size(), 3);  // the header of columns, then the two idioms
  EXPECT_EQ(cards[2], "一马当先\tyī mǎ dāng xiān\tto take the lead\t《水浒传》\t");

  c().picFavourites->FavouritesList()->setFocus(Qt::MouseFocusReason);
  Press(Qt::Key_Delete);
  EXPECT_EQ(c().picFavourites->FavouriteIdioms(), QStringList({"不可思议"}));
  EXPECT_FALSE(c().cmdFavourite->isChecked());
  c().picFavourites->findChild<QPushButton *>("cmdHistoryList")->toggle();
  EXPECT_TRUE(c().picFavourites->HistoryList()->isVisible());
  EXPECT_EQ(c().picFavourites->HistoryList()->topLevelItem(0)->text(0), "一马当先");
  EXPECT_EQ(c().picFavourites->HistoryList()->currentItem()->text(0), "一马当先") << "the idiom on display is marked";
  Press(Qt::CTRL | Qt::Key_1);
  Search("不可思议");
  ASSERT_EQ(Shown(), "不可思议");
  Press(Qt::CTRL | Qt::Key_3);
  EXPECT_EQ(c().picFavourites->HistoryList()->currentItem(), nullptr) << "passed, not kept: nothing marked";
  ASSERT_NE(c().picFavourites->FavouritesList()->currentItem(), nullptr);
  EXPECT_EQ(c().picFavourites->FavouritesList()->currentItem()->text(0), "不可思议") << "the favourite on display";
}

TEST_F(Keyboard, TheWindowComesBackAsItWasLeftWithTheFavourites) {
  Search("ymdx");
  Press(Qt::CTRL | Qt::Key_D);
  window->setGeometry(QRect(QPoint(40, 50), QSize(700, 520)));
  Press(Qt::CTRL | Qt::Key_3);
  Restart();
  EXPECT_EQ(window->geometry(), QRect(QPoint(40, 50), QSize(700, 520)));
  EXPECT_EQ(window->Browse().CurrentView(), View::Favourites);
  EXPECT_EQ(Focused(), c().picFavourites->FavouritesList());  // the search box is not on show
  EXPECT_EQ(c().picFavourites->FavouriteIdioms(), QStringList({"一马当先"}));
  EXPECT_EQ(c().cmdKOVTitle->text(), "Favourites");
}

TEST_F(Keyboard, F1OpensTheHelpPageAndTheHistoryLabelActsOnEnter) {
  test::RecordedDesktop desktop;
  install->Write("help/index.html", "<html></html>");
  Press(Qt::Key_F1);
  ASSERT_EQ(desktop.opened().size(), 1u);
  EXPECT_TRUE(desktop.opened()[0].toLocalFile().endsWith("help/index.html"));
  Search("bksy");
  ASSERT_EQ(c().lblUp->text(), "阿鼻地狱");
  ASSERT_EQ(c().lblUp->focusPolicy(), Qt::TabFocus);
  c().lblUp->setFocus(Qt::TabFocusReason);
  Press(Qt::Key_Return);
  EXPECT_EQ(c().txtSearchKey->text(), "阿鼻地狱");
  ShowAfterTick();
  EXPECT_EQ(Shown(), "阿鼻地狱");
}

}  // namespace

TEST_F(Keyboard, TabReachesEveryControlTheMouseReaches) {
  QSet<QWidget *> reached;
  for (int i = 0; i < 80; ++i) {
    reached.insert(Focused());
    Press(Qt::Key_Tab);
  }
  for (QWidget *control : std::initializer_list<QWidget *>{
           c().txtSearchKey, c().lstKovSearch, c().Command2, c().Command4, c().Command5, c().cmdFavourite,
           c().txtExplain, c().lblUp, c().imgLogo, c().cmdEmail, c().cmdUpdate, c().cmdSetting, c().cmdHelp,
           c().cmdAbout, c().cmdKOVSearch, c().cmdKOVTreeList, c().cmdKOVFavourites})
    EXPECT_TRUE(reached.contains(control)) << control->objectName().toStdString();
}

TEST_F(Keyboard, TheStudyViewMadeOnFirstUseJoinsTheTabOrderBeforeTheDetailButtons) {
  EXPECT_EQ(c().picStudy->findChild<QWidget *>("cmdStudyProgress"), nullptr) << "not made before it is wanted";
  Press(Qt::CTRL | Qt::Key_4);
  QWidget *progress = c().picStudy->findChild<QWidget *>("cmdStudyProgress");
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(progress->isVisible());
  progress->setFocus(Qt::TabFocusReason);
  for (int i = 0; i < 12 && c().picStudy->isAncestorOf(Focused()); ++i) Press(Qt::Key_Tab);
  EXPECT_EQ(Focused(), c().Command2) << "Tab leaves the view for the detail's buttons";
  Press(Qt::SHIFT | Qt::Key_Tab);
  EXPECT_TRUE(c().picStudy->isAncestorOf(Focused()))
      << "and comes back into it, not " << Focused()->objectName().toStdString();
}

TEST_F(Keyboard, ARememberedZoomOutOfRangeOrUnreadableGivesTheDefault) {
  for (const char *zoom : {"-2147483648", "abc", "2147483647", "69"}) {
    window->close();
    QSettings state(WindowStatePath(), QSettings::IniFormat);
    state.setValue("window/zoom", zoom);
    state.sync();
    window = std::make_unique<frmVELM>();
    window->ShowAsRemembered();
    EXPECT_EQ(window->Detail().ZoomPercent(), 100) << zoom;
  }
  window->close();
  QFile::remove(WindowStatePath());
  ASSERT_EQ(::mkfifo(QFile::encodeName(WindowStatePath()).constData(), 0600), 0);
  window = std::make_unique<frmVELM>();
  window->ShowAsRemembered();  // returns: the pipe is not read
  window->close();
  EXPECT_FALSE(QFileInfo(WindowStatePath()).isFile()) << "nor replaced";
  QFile::remove(WindowStatePath());
}

TEST_F(Keyboard, ZoomScalesTheReadingTextInStepsWithinBoundsAndIsRemembered) {
  const double explain = c().txtExplain->font().pointSizeF(), list = c().lstKovSearch->font().pointSizeF();
  Press(Qt::CTRL | Qt::Key_Equal);
  Press(Qt::CTRL | Qt::Key_Plus);
  EXPECT_EQ(window->Detail().ZoomPercent(), 120);
  EXPECT_DOUBLE_EQ(c().txtExplain->font().pointSizeF(), explain * 1.2);
  EXPECT_DOUBLE_EQ(c().lstKovSearch->font().pointSizeF(), list * 1.2);
  EXPECT_GE(c().lstKovSearch->rowHeight(0), c().lstKovSearch->fontMetrics().height());
  // Larger text, taller boxes: still whole lines.
  EXPECT_GE(c().txtExplain->height(), 2 * c().txtExplain->fontMetrics().height());
  for (int i = 0; i < 30; ++i) Press(Qt::CTRL | Qt::Key_Minus);
  EXPECT_EQ(window->Detail().ZoomPercent(), 70);
  for (int i = 0; i < 30; ++i) Press(Qt::CTRL | Qt::Key_Equal);
  EXPECT_EQ(window->Detail().ZoomPercent(), 250);
  Restart();
  EXPECT_EQ(window->Detail().ZoomPercent(), 250);
  Press(Qt::CTRL | Qt::Key_0);
  EXPECT_DOUBLE_EQ(c().txtExplain->font().pointSizeF(), explain);
}

TEST_F(Keyboard, EnterOnNoMatchKeepsNothingAndUpNamesTheIdiomLeftNotThosePassed) {
  const auto typeSlowly = [&](const QString &keys) {
    c().txtSearchKey->clear();
    for (const QChar key : keys) {  // each key's idiom is shown and passed
      QTest::keyClick(c().txtSearchKey, key.toLatin1());
      ShowAfterTick();
    }
  };
  typeSlowly("bukesiyi");
  Press(Qt::Key_Return);
  ShowAfterTick();
  ASSERT_EQ(Shown(), "不可思议");
  typeSlowly("yimadangxian");
  EXPECT_EQ(Shown(), "一马当先");
  EXPECT_EQ(c().lblUp->text(), "不可思议") << "the idioms typing passed are not the previous one";

  typeSlowly("anbq");
  const QString stale = Shown();
  ASSERT_EQ(stale, "按部就班");
  EXPECT_FALSE(window->Reading().DwellTimer().isActive()) << "no match: the idiom left over is not dwelt on";
  Press(Qt::Key_Return);
  ShowAfterTick();
  Press(Qt::CTRL | Qt::Key_3);
  c().picFavourites->findChild<QPushButton *>("cmdHistoryList")->toggle();
  QStringList history;
  for (int i = 0; i < c().picFavourites->HistoryList()->topLevelItemCount(); ++i)
    history << c().picFavourites->HistoryList()->topLevelItem(i)->text(0);
  EXPECT_TRUE(history.contains("不可思议"));
  EXPECT_FALSE(history.contains(stale)) << "Enter on no match keeps nothing";
}

TEST_F(Keyboard, StudySettingsKeepWhatThePageShows) {
  Press(Qt::CTRL | Qt::Key_4);
  auto *settingsButton = c().picStudy->findChild<QPushButton *>("cmdStudySettings");
  ASSERT_NE(settingsButton, nullptr);
  settingsButton->click();
  auto *fromEdition = c().picStudy->findChild<QCheckBox *>("chkStudyEdition");
  auto *perDay = c().picStudy->findChild<QSpinBox *>("spnStudyPerDay");
  auto *kind = c().picStudy->findChild<QComboBox *>("cboStudyKind");
  ASSERT_TRUE(fromEdition && perDay && kind);
  EXPECT_EQ(kind->count(), 6) << "each kind, and each in turn";
  fromEdition->setChecked(true);
  perDay->setValue(25);
  kind->setCurrentIndex(kind->findData(QString("reading")));
  c().picStudy->findChild<QPushButton *>("cmdStudySettingsDone")->click();
  // Opened again, the page shows what was kept.
  fromEdition->setChecked(false);
  perDay->setValue(1);
  settingsButton->click();
  EXPECT_TRUE(fromEdition->isChecked());
  EXPECT_EQ(perDay->value(), 25);
  EXPECT_EQ(kind->currentData().toString(), "reading");
}

TEST_F(Keyboard, AReviewHidesTheIdiomItAsksAboutAndTheDueCountFollowsTheStar) {
  auto detailTexts = [this] {
    QStringList texts;
    for (QWidget *box : window->findChildren<QWidget *>()) {
      if (c().picStudy->isAncestorOf(box) || box == c().lblUp || !box->isVisible()) continue;
      if (auto *line = qobject_cast<QLineEdit *>(box)) texts << line->text();
      if (auto *text = qobject_cast<QPlainTextEdit *>(box)) texts << text->toPlainText();
      if (auto *label = qobject_cast<QLabel *>(box)) texts << label->text();
    }
    return texts.join('\n');
  };
  ASSERT_TRUE(WaitFor([&] { return c().cmdKOVStudy->toolTip() == "0 due (Ctrl+4)"; }));
  Search("ymdx");
  Press(Qt::CTRL | Qt::Key_D);
  EXPECT_TRUE(WaitFor([&] { return c().cmdKOVStudy->toolTip() == "1 due (Ctrl+4)"; })) << "without opening Study";
  EXPECT_EQ(c().picStudy->findChild<QWidget *>("cmdStudyStart"), nullptr);
  Press(Qt::CTRL | Qt::Key_4);
  auto *start = c().picStudy->findChild<QPushButton *>("cmdStudyStart");
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(c().picStudy->findChild<QLabel *>("lblStudyDue")->text().contains("Enter or Space to start"));
  start->setFocus(Qt::TabFocusReason);
  Press(Qt::Key_Return);
  auto *prompt = c().picStudy->findChild<QLabel *>("lblStudyPrompt");
  ASSERT_TRUE(WaitFor([&] { return prompt->isVisible(); })) << "Enter starts the review";
  EXPECT_EQ(prompt->accessibleName(), prompt->text()) << "a screen reader hears the question";
  EXPECT_FALSE(detailTexts().contains("一马当先")) << detailTexts().toStdString();
  EXPECT_TRUE(c().txtIdiom->text().isEmpty());
  Press(Qt::Key_Space);  // the answer
  EXPECT_EQ(c().txtIdiom->text(), "一马当先") << "shown again once answered";
  EXPECT_FALSE(c().picStudy->findChild<QLabel *>("lblStudyReveal")->text().startsWith("Not quite"))
      << "nothing was chosen: no verdict";
  Press(Qt::Key_Escape);  // leaves the sitting
  EXPECT_TRUE(
      c().picStudy->findChild<QLabel *>("lblStudySummary")->text().contains("1 idiom is still due: Enter goes on"))
      << c().picStudy->findChild<QLabel *>("lblStudySummary")->text().toStdString();
  EXPECT_EQ(c().txtIdiom->text(), "一马当先");
  Press(Qt::CTRL | Qt::Key_D);  // unstarred, its card leaves the review
  EXPECT_TRUE(WaitFor([&] { return c().cmdKOVStudy->toolTip() == "0 due (Ctrl+4)"; }));
  // Another window of the user stars an idiom: this one counts it too.
  UserStore other(UserStorePath(), "velmdict_cn.dat");
  ASSERT_TRUE(other.SetFavourite("画蛇添足", true));
  ASSERT_TRUE(StudyStore(other, false).FollowFavourites({"画蛇添足"}, QDateTime::currentSecsSinceEpoch()));
  EXPECT_TRUE(WaitFor([&] { return c().cmdKOVStudy->toolTip() == "1 due (Ctrl+4)"; }, 10000));
}

TEST(StudyQuestionPage, AWrongChoiceIsMarkedBesideTheRightOneInSignsAndWords) {
  StudyQuestionView page;
  StudyQuestion question;
  question.kind = QuestionKind::Meaning;
  question.idiom = "一马当先";
  question.prompt = "to take the lead";
  question.choices = {"画蛇添足", "一马当先", "对牛弹琴", "守株待兔"};
  question.answer = 1;
  page.ShowQuestion(question);
  page.ShowAnswer(question, "Not quite. ", 1, 2, {60, 360, 600, 8 * 86400});
  const auto choice = [&page](int i) { return page.findChild<QPushButton *>(QString("cmdStudyChoice%1").arg(i + 1)); };
  EXPECT_TRUE(choice(1)->text().startsWith("✓")) << choice(1)->text().toStdString();
  EXPECT_TRUE(choice(2)->text().startsWith("✗"));
  EXPECT_FALSE(choice(0)->text().startsWith("✗"));
  EXPECT_FALSE(choice(2)->accessibleDescription().isEmpty());
  EXPECT_EQ(page.findChild<QPushButton *>("cmdStudyEasy")->text(), "4 Easy · 8 d") << "each grade tells its wait";
  EXPECT_EQ(page.findChild<QPushButton *>("cmdStudyHard")->text(), "2 Hard · 6 min");
  EXPECT_EQ(page.findChild<QPushButton *>("cmdStudyHard")->accessibleName(), "Hard · 6 min") << "heard as seen";
  page.ShowQuestion(question);
  EXPECT_FALSE(choice(2)->text().startsWith("✗")) << "the next question starts unmarked";
}

TEST_F(Keyboard, ACharacterOfTheIdiomOpensItsCardWithItsStrokesAndTheIdiomsHoldingIt) {
  // Strokes for 一 only: 马 has an entry but no strokes.
  QTemporaryDir strokes;
  QFile yi(strokes.filePath("一.json"));
  ASSERT_TRUE(yi.open(QIODevice::WriteOnly));
  yi.write(R"({"strokes": ["M 100 420 L 900 420 L 900 380 L 100 380 Z", "M 480 800 L 520 800 L 520 100 L 480 100 Z"],
               "medians": [[[100, 400], [900, 400]], [[500, 800], [500, 100]]]})");
  yi.close();
  editions::WriteStrokeFile(install->file("Data/strokes.dat"), {"一", "马"}, strokes.path(),
                            R"(export default {"all":[["一","一","yi1","one"],["馬","马","ma3","horse"]]};)");
  Search("ymdx");
  ASSERT_EQ(Shown(), "一马当先");
  auto *ruby = window->findChild<QWidget *>("picRuby");
  ASSERT_TRUE(ruby && ruby->isVisible());
  QTest::mouseClick(ruby, Qt::LeftButton, {}, QPoint(12, ruby->height() / 2));  // on 一
  auto *card = window->findChild<CharacterCard *>("frmCharacter");
  ASSERT_NE(card, nullptr);
  ASSERT_TRUE(WaitFor([&] { return card->isVisible(); }));
  EXPECT_EQ(card->Character(), "一");
  EXPECT_EQ(card->findChild<QLabel *>("lblStrokeCount")->text(), "2 strokes");
  EXPECT_TRUE(card->findChild<QLabel *>("lblCharacterSenses")->text().contains("one"));
  StrokeView *view = card->Strokes();
  EXPECT_TRUE(view->IsPlaying()) << "the strokes are written as the card opens";
  ASSERT_TRUE(WaitFor([&] { return !view->IsPlaying(); }, 5000));
  EXPECT_EQ(view->Written(), 2);
  view->Step();  // from the whole character: back to none written, then one by one
  view->Step();
  EXPECT_EQ(view->Written(), 1);
  EXPECT_TRUE(view->accessibleDescription().startsWith("1 of 2"));
  auto *idioms = card->findChild<QListWidget *>("lstCharacterIdioms");
  QStringList listed;
  for (int i = 0; i < idioms->count(); ++i) listed << idioms->item(i)->text();
  EXPECT_TRUE(listed.contains("一马当先") && listed.contains("一举两得")) << listed.join(' ').toStdString();
  QTest::keyClick(card, Qt::Key_Right);
  EXPECT_EQ(card->Character(), "马");
  EXPECT_FALSE(view->isVisible());
  EXPECT_TRUE(card->findChild<QLabel *>("lblNoStrokes")->isVisible()) << "a character without strokes says so";
  QTest::keyClick(card, Qt::Key_Left);
  ASSERT_EQ(card->Character(), "一");
  // Another idiom chosen on the card is shown.
  emit idioms->itemActivated(idioms->findItems("一举两得", Qt::MatchExactly).front());
  EXPECT_TRUE(WaitFor([&] { return Shown() == "一举两得"; }));
  EXPECT_EQ(card->Character(), "一") << "still in the idiom shown";
  // The open card follows the idiom shown: its first character where it lacks this one.
  Search("bksy");
  EXPECT_EQ(Shown(), "不可思议");
  EXPECT_EQ(card->Character(), "不");
  EXPECT_GE(idioms->height(), idioms->fontMetrics().height() * 8) << "room for a good many idioms";
}

TEST(RelatedList, ALongSectionShowsItsCommonPartThenTheRestOnMore) {
  RelatedTree tree(nullptr);
  RelatedIdioms related;
  for (int i = 0; i < 11; ++i) related.sameCharacters << QString("一%1").arg(QChar(u'甲' + i));
  QStringList chosen;
  QObject::connect(&tree, &RelatedTree::idiomChosen, [&chosen](const QString &idiom) { chosen << idiom; });
  tree.Fill(
      "一马当先", related, {}, [](const QString &) { return true; },
      [](const QString &idiom) { return "reading of " + idiom; });
  EXPECT_EQ(tree.headerItem()->text(0), "一马当先") << "the idiom shown stays above its relations";
  EXPECT_EQ(tree.headerItem()->text(1), "reading of 一马当先");
  QTreeWidgetItem *section = tree.topLevelItem(0);
  ASSERT_EQ(section->childCount(), RelatedTree::kShown + 1);
  EXPECT_EQ(section->child(0)->text(1), "reading of 一甲");
  QTreeWidgetItem *more = section->child(RelatedTree::kShown);
  EXPECT_EQ(more->text(0), "more… (3)");
  emit tree.itemActivated(more, 0);
  EXPECT_EQ(section->childCount(), 11) << "more… gives way to the rest";
  EXPECT_TRUE(chosen.isEmpty()) << "more… is no idiom";
  emit tree.itemActivated(section->child(10), 0);
  EXPECT_EQ(chosen, QStringList{"一" + QString(QChar(u'甲' + 10))});
}
