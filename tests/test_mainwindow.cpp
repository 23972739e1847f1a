#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFocusEvent>
#include <QFontInfo>
#include <functional>

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include "MainWindowFixture.h"
#include "TestHooks.h"
#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "editions/EditionBuilder.h"
#include "editions/SyntheticSource.h"
#include "mainwindow/browse/MatchPopup.h"
#include "mainwindow/frmVELM.h"
#include "platform/AfterFirstPaint.h"
#include "platform/ImageList.h"
#include "platform/ListHeader.h"
#include "platform/Speaker.h"
#include "platform/Twips.h"

using namespace velmora;

using test::Click;
using test::MainWindow;
using test::Texts;
using test::WaitFor;

TEST_F(MainWindow, OpensInTheSearchViewAndShowsTheFirstIdiomAfterTheTick) {
  EXPECT_EQ(window->windowTitle(), "Velmora 1.0 Beta");
  EXPECT_EQ(window->Browse().CurrentView(), View::Search);
  EXPECT_EQ(c().cmdKOVTitle->text(), "Search title");
  EXPECT_TRUE(c().lstKovSearch->isVisible());
  EXPECT_TRUE(c().picSearchLine->isVisible());
  EXPECT_FALSE(c().trvIdiomDir->isVisible());
  EXPECT_EQ(c().trvIdiomDir->topLevelItemCount(), 0);
  EXPECT_EQ(c().cmdKOVSearch->width(), Px(428));
  EXPECT_EQ(c().cmdKOVTreeList->width(), Px(400));
  EXPECT_EQ(window->Browse().SearchList().Model().rowCount(), 13);
  EXPECT_EQ(window->Browse().SearchList().Model().headerData(1, Qt::Horizontal, Qt::DisplayRole), "VELM");
  EXPECT_EQ(window->Browse()
                .SearchList()
                .Model()
                .data(window->Browse().SearchList().Model().index(0, 0), Qt::DisplayRole)
                .toString(),
            "");
  EXPECT_EQ(window->Browse().MaxIdiomCode(), "13");
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), 0);
  EXPECT_EQ(window->Browse().SearchList().ListPickFlag(), 1);
  EXPECT_TRUE(window->Browse().SearchList().Timer1().isActive());
  EXPECT_EQ(c().txtIdiom->text(), "");
  EXPECT_EQ(c().txtSpell->text(), "Spell");
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "阿鼻地狱");
  EXPECT_EQ(c().txtSpell->text(), "ā bí dì yù");
  EXPECT_EQ(c().lblUp->text(), "");
  EXPECT_TRUE(c().txtSearchKey->isClearButtonEnabled()) << "the clear button comes after the first frame";
}

TEST_F(MainWindow, IndexViewIsBuiltOnceWithCountsAndPinyinOrder) {
  Click(c().cmdKOVTreeList);
  EXPECT_TRUE(window->Browse().TreeLoaded());
  EXPECT_EQ(c().cmdKOVTitle->text(), "Tree title");
  EXPECT_TRUE(c().trvIdiomDir->isVisible());
  EXPECT_FALSE(c().lstKovSearch->isVisible());
  EXPECT_FALSE(c().picSearchLine->isVisible());
  EXPECT_EQ(c().cmdKOVTreeList->width(), Px(428));
  EXPECT_EQ(c().cmdKOVSearch->width(), Px(400));
  ASSERT_EQ(c().trvIdiomDir->topLevelItemCount(), 3) << "K, Q, C and T begin one idiom each";
  EXPECT_EQ(c().trvIdiomDir->topLevelItem(0)->text(0), "A(3)");
  EXPECT_EQ(c().trvIdiomDir->topLevelItem(1)->text(0), "B(3)");
  EXPECT_EQ(c().trvIdiomDir->topLevelItem(2)->text(0), "Y(3)");
  EXPECT_EQ(Texts(Node("MA")), QStringList({"阿鼻地狱", "爱不释手", "按部就班"}));
  EXPECT_EQ(Texts(Node("MY")), QStringList({"一举两得", "一马当先", "饮水思源"}));
  EXPECT_EQ(c().trvIdiomDir->KeyOf(Node("MA")->child(0)), "M1");
  QTreeWidgetItem *firstBuilt = Node("MA");
  Click(c().cmdKOVSearch);
  EXPECT_TRUE(c().lstKovSearch->isVisible());
  EXPECT_EQ(c().cmdKOVSearch->width(), Px(428));
  Click(c().cmdKOVTreeList);
  EXPECT_EQ(Node("MA"), firstBuilt) << "the tree is not rebuilt";
}

TEST_F(MainWindow, TreePicturesFollowExpansionAndSelection) {
  Click(c().cmdKOVTreeList);
  NodeTree *tree = c().trvIdiomDir;
  EXPECT_EQ(tree->ShownImage(Node("MA")), "book");
  Node("MA")->setExpanded(true);
  EXPECT_EQ(tree->ShownImage(Node("MA")), "open");
  Node("MA")->setExpanded(false);
  EXPECT_EQ(tree->ShownImage(Node("MA")), "book");
  QTreeWidgetItem *idiom = Node("MA")->child(1);
  EXPECT_EQ(tree->ShownImage(idiom), "black");
  tree->setCurrentItem(idiom);
  EXPECT_EQ(tree->ShownImage(idiom), "select");
  tree->setCurrentItem(Node("MB"));
  EXPECT_EQ(tree->ShownImage(Node("MB")), "book");
}

TEST_F(MainWindow, TreeClicksShowIdiomsAndLetterClicksChangeNothing) {
  ShowAfterTick();
  Click(c().cmdKOVTreeList);
  ClickNode(Node("MY"));
  EXPECT_EQ(c().txtIdiom->text(), "阿鼻地狱");
  EXPECT_EQ(c().lblUp->text(), "");
  ClickNode(Node("MY")->child(1));
  EXPECT_EQ(c().txtIdiom->text(), "一马当先");
  EXPECT_EQ(c().lblUp->text(), "阿鼻地狱");
  EXPECT_EQ(c().txtExplain->toPlainText(), "to take the lead");
  EXPECT_EQ(c().txtDerivation->toPlainText(), "《水浒传》");
  EXPECT_EQ(c().txtExample->toPlainText(), "");
  EXPECT_EQ(
      window->Detail().DetailText(),
      "一马当先\r\nyī mǎ dāng xiān\r\n\r\nExplain：to take the lead\r\n\r\nDerivation：《水浒传》\r\n\r\nExample：");
  ClickNode(Node("MY")->child(1));
  EXPECT_EQ(c().lblUp->text(), "阿鼻地狱") << "clicking the idiom on display changes nothing";
}

TEST_F(MainWindow, DisplayHidesCombinedTextAndQuizAndFollowsHeadings) {
  ShowAfterTick();
  c().txtDetailed->show();
  c().Picture5->show();
  c().lblExplain->setText("释义");
  Search("yinshui");
  EXPECT_FALSE(c().txtDetailed->isVisible());
  EXPECT_FALSE(c().Picture5->isVisible());
  EXPECT_EQ(window->Detail().DetailText(),
            "饮水思源\r\nyǐn shuǐ sī yuán\r\n\r\n释义：\r\n\r\nDerivation：\r\n\r\nExample：")
      << "a null explanation leaves the heading and the colon";
}

TEST_F(MainWindow, VideoButtonFollowsTheVideoFile) {
  install->Write("Video/一马当先.rm", "video");
  test::RecordedDesktop desktop;
  const std::vector<QUrl> &opened = desktop.opened();
  Search("一马当先");
  EXPECT_TRUE(c().Command3->isEnabled());
  Click(c().Command3);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toLocalFile(), install->file("Video/一马当先.rm"));
  Search("爱不");
  EXPECT_FALSE(c().Command3->isEnabled());
}

TEST_F(MainWindow, FindsByTextTonelessPinyinAndInitials) {
  ShowAfterTick();
  const auto rowOf = [&](const QString &key) {
    c().txtSearchKey->setText(key);
    return window->Browse().SearchList().CurrentRow();
  };
  EXPECT_EQ(rowOf("一马"), 10);
  EXPECT_EQ(rowOf("  半途  "), 4) << "blanks around the key do not matter";
  EXPECT_EQ(rowOf("yimadangxian"), 10);
  EXPECT_EQ(rowOf("yima"), 10);
  EXPECT_EQ(rowOf("YI MA"), 10);
  EXPECT_EQ(rowOf("ymdx"), 10);
  EXPECT_EQ(rowOf("YJLD"), 9);
  EXPECT_EQ(rowOf("ke"), 6);
  EXPECT_EQ(rowOf("it's"), 6) << "no match leaves the current row";
  EXPECT_EQ(rowOf("它's"), 8);
}

TEST_F(MainWindow, NoMatchLeavesEverythingAndStartsNoTimer) {
  ShowAfterTick();
  Search("一马");
  const QString shown = c().txtIdiom->text();
  const QString previous = c().lblUp->text();
  c().txtSearchKey->setText("zzzz");
  EXPECT_FALSE(window->Browse().SearchList().Timer1().isActive());
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), 10);
  EXPECT_EQ(c().txtIdiom->text(), shown);
  EXPECT_EQ(c().lblUp->text(), previous);
}

TEST_F(MainWindow, ChangesBeforeTheTickLoadOnce) {
  ShowAfterTick();
  c().txtSearchKey->setText("ai");
  c().txtSearchKey->setText("ban");
  c().txtSearchKey->setText("bu");
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "不可思议");
  EXPECT_EQ(c().lblUp->text(), "阿鼻地狱") << "the changes before the tick led to one load only";
  ClickListRow(window->Browse().SearchList().CurrentRow());
  ShowAfterTick();
  EXPECT_EQ(c().lblUp->text(), "阿鼻地狱") << "the shown idiom loaded again is not its own previous one";
}

TEST_F(MainWindow, PreviousIdiomLabelGoesBack) {
  ShowAfterTick();
  Search("bksy");
  Click(c().cmdSearch);  // chosen: an idiom to go up to
  ShowAfterTick();
  Search("abjb");
  ASSERT_EQ(c().lblUp->text(), "不可思议");
  Click(c().cmdKOVTreeList);
  QTest::mouseDClick(c().lblUp, Qt::LeftButton);
  EXPECT_EQ(window->Browse().CurrentView(), View::Search);
  EXPECT_TRUE(c().lstKovSearch->isVisible());
  EXPECT_EQ(c().txtSearchKey->text(), "不可思议");
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "不可思议");
  EXPECT_EQ(c().lblUp->text(), "阿鼻地狱") << "按部就班 was passed, not settled on";
}

TEST_F(MainWindow, EmptyHistoryLabelEmptiesTheSearchBox) {
  c().txtSearchKey->setText("yima");
  Click(c().cmdKOVTreeList);
  QTest::mouseDClick(c().lblUp, Qt::LeftButton);
  EXPECT_EQ(c().txtSearchKey->text(), "");
  EXPECT_EQ(window->Browse().CurrentView(), View::Search);
}

TEST_F(MainWindow, IdiomWithAQuoteIsShownWithItsDetails) {
  Search("它's一");
  EXPECT_EQ(c().txtIdiom->text(), "它's一");
  EXPECT_EQ(c().txtExplain->toPlainText(), "an idiom with a quote");
}

TEST_F(MainWindow, FocusSelectsTheWholeExplanation) {
  Search("yima");
  QPlainTextEdit *box = c().txtExplain;
  QWidget *area = box->viewport();
  QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 8));
  ASSERT_TRUE(WaitFor([&] { return box->textCursor().hasSelection(); })) << "a click selects all";
  EXPECT_EQ(box->textCursor().selectedText(), "to take the lead");
  QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(20, 8));
  QApplication::processEvents();
  EXPECT_FALSE(box->textCursor().hasSelection()) << "a second click in the focused box places the caret";
  c().txtSearchKey->setFocus();
  // A drag into the unfocused box keeps what it selected.
  QTest::mousePress(area, Qt::LeftButton, {}, QPoint(4, 8));
  QTest::mouseMove(area, QPoint(40, 8));
  QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(40, 8));
  QApplication::processEvents();
  const QString dragged = box->textCursor().selectedText();
  EXPECT_FALSE(dragged.isEmpty());
  EXPECT_NE(dragged, "to take the lead");
  QFocusEvent fromMenu(QEvent::FocusIn, Qt::PopupFocusReason);
  QApplication::sendEvent(box, &fromMenu);
  QApplication::processEvents();
  EXPECT_EQ(box->textCursor().selectedText(), dragged) << "closing a menu keeps the user's selection";
  c().txtSearchKey->setFocus();
  box->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(box->textCursor().selectedText(), "to take the lead") << "keyboard focus selects at once";
  EXPECT_TRUE(c().txtExplain->isReadOnly());
  EXPECT_TRUE(c().txtIdiom->isReadOnly());
  EXPECT_FALSE(c().txtDetailed->isReadOnly());
}

TEST_F(MainWindow, EmptyTableGivesNoRowsAndNoTimer) {
  Open({});
  EXPECT_EQ(window->Browse().SearchList().Model().rowCount(), 0);
  EXPECT_FALSE(window->Browse().SearchList().Timer1().isActive());
  EXPECT_EQ(window->Browse().MaxIdiomCode(), "");
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), -1);
  Click(c().cmdKOVTreeList);
  EXPECT_EQ(c().trvIdiomDir->topLevelItemCount(), 0);
}

TEST_F(MainWindow, RowsPastTheSixteenBitRangeAreFoundAndShown) {
  Open(editions::SyntheticIdioms(40000));
  // The first frame lays out a screenful of rows, not the dictionary; all
  // of them are there once it has painted.
  EXPECT_LE(window->Browse().SearchList().Model().rowCount(), 512);
  ASSERT_TRUE(WaitFor([&] { return window->Browse().SearchList().Model().rowCount() == 40000; }));
  const QString last = window->Browse().SearchList().Model().IdiomAt(39999);
  Search(last);
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), 39999);
  EXPECT_EQ(c().txtIdiom->text(), last);
  EXPECT_FALSE(c().txtExplain->toPlainText().isEmpty());
}

TEST_F(MainWindow, AnIdiomPastTheFirstRowsChosenBeforeTheFirstFrameIsShownAtOnce) {
  Open(editions::SyntheticIdioms(2000));
  SearchController &list = window->Browse().SearchList();
  ASSERT_LT(list.Model().rowCount(), 2000);
  ASSERT_TRUE(list.ChooseIdiom(list.Model().IdiomAt(1500)));
  EXPECT_EQ(list.Model().rowCount(), 2000);
  EXPECT_EQ(list.CurrentRow(), 1500);
}

TEST_F(MainWindow, QueriesGiveThePointerBack) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(OpenRS("SELEC * FROM VELM", true).IsOpen());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(Record("一马当先").has_value());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindow, MatchListChoosesWithTheKeysAndTypingGoesOn) {
  ShowAfterTick();
  QLineEdit *box = c().txtSearchKey;
  box->setFocus();
  QTest::keyClicks(box, "yi");
  window->Browse().SearchList().UpdateMatches();  // the matcher may still be in the making
  const MatchPopup &popup = *window->findChild<MatchPopup *>("MatchPopup");
  ASSERT_TRUE(popup.isVisible());
  EXPECT_EQ(popup.findChild<QLabel *>()->text(), "3 matches") << "一举两得, 一马当先, 饮水思源 (yǐn cut short)";
  EXPECT_EQ(popup.findChild<QTreeView *>()->accessibleName(), "Matches");
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(popup.isVisible());
  ShowAfterTick();
  EXPECT_EQ(c().txtIdiom->text(), "一马当先");
  EXPECT_EQ(window->Browse().SearchList().CurrentRow(), 10);
  EXPECT_TRUE(box->hasFocus()) << "the search box keeps the keyboard";
  QTest::keyClicks(box, "m");
  EXPECT_EQ(box->text(), "yim");
  EXPECT_TRUE(popup.isVisible());
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(box->text(), "yim") << "Esc keeps the key";
}

TEST_F(MainWindow, NoMatchIsShownAndToldToScreenReaders) {
  ShowAfterTick();
  QLineEdit *box = c().txtSearchKey;
  box->setText("zzzq");
  window->Browse().SearchList().UpdateMatches();
  EXPECT_EQ(window->findChild<MatchPopup *>("MatchPopup")->findChild<QLabel *>()->text(), "No match");
  EXPECT_EQ(box->accessibleDescription(), "No match");
  EXPECT_NE(box->palette().color(QPalette::Base), QPalette().color(QPalette::Base)) << "tinted";
  box->setText("to take the lead");
  window->Browse().SearchList().UpdateMatches();
  EXPECT_EQ(box->accessibleDescription(), "");
  EXPECT_EQ(window->findChild<MatchPopup *>("MatchPopup")->findChild<QLabel *>()->text(), "1 match")
      << "found by its meaning";
  box->setText("");
  EXPECT_FALSE(window->findChild<MatchPopup *>("MatchPopup")->isVisible());
}

TEST(Speech, TheEngineStartsWhenFirstWantedNotWithTheSpeaker) {
  Speaker speaker;
  // Counted on this thread (queued from the speaker's), so that a signal sent
  // before the wait begins is still seen.
  QObject receiver;
  int readies = 0;
  QObject::connect(&speaker, &Speaker::ready, &receiver, [&readies] { ++readies; });
  QTest::qWait(300);
  EXPECT_EQ(readies, 0) << "a run that says nothing never starts the engine";
  speaker.Prepare();
  // Without a sound device the engine can take seconds to give up on it.
  ASSERT_TRUE(test::WaitFor([&readies] { return readies > 0; }, 30000));
  speaker.Prepare();
  QTest::qWait(300);
  EXPECT_EQ(readies, 1) << "it starts once";
}

TEST(FirstPaint, WorkWaitsForTheWindowsFirstFrameThenRunsOnceInOrder) {
  QWidget window;
  QStringList ran;
  AfterFirstPaint(&window, [&ran] { ran << "first"; });
  AfterFirstPaint(&window, [&ran] { ran << "second"; });
  QApplication::processEvents();
  EXPECT_TRUE(ran.isEmpty()) << "nothing runs before the window is painted";
  window.show();
  ASSERT_TRUE(test::WaitFor([&ran] { return ran.size() == 2; }));
  EXPECT_EQ(ran, QStringList({"first", "second"}));
  AfterFirstPaint(&window, [&ran] { ran << "later"; });
  EXPECT_EQ(ran.last(), "later") << "a painted window runs new work at once";
  window.update();
  QApplication::processEvents();
  EXPECT_EQ(ran.size(), 3) << "another paint runs nothing again";
}

TEST(Pictures, AreDrawnAtTheSizeAskedAndGreyedWhenOff) {
  const QIcon star = ImageByKey("star");
  const QImage normal = star.pixmap(QSize(24, 24), 1.0).toImage();
  ASSERT_EQ(normal.size(), QSize(24, 24));
  int drawn = 0;
  for (int y = 0; y < normal.height(); ++y)
    for (int x = 0; x < normal.width(); ++x) drawn += normal.pixelColor(x, y).alpha() > 0;
  EXPECT_GT(drawn, 24) << "the star is drawn, not left empty";
  EXPECT_EQ(star.pixmap(QSize(48, 48), 1.0).size(), QSize(48, 48));
  EXPECT_NE(star.pixmap(QSize(24, 24), 1.0, QIcon::Disabled).toImage(), normal);
  EXPECT_TRUE(ImageByKey("no such picture").isNull());
}

TEST_F(MainWindow, PanesLaidOverTheDetailStayOverTheIdiomWithItsReading) {
  c().cmdRelated->setChecked(true);  // the connections, laid over the detail boxes
  Search("爱不释手");
  ShowAfterTick();
  auto *ruby = c().txtIdiom->parentWidget()->findChild<QWidget *>("picRuby", Qt::FindDirectChildrenOnly);
  ASSERT_NE(ruby, nullptr);
  ASSERT_TRUE(ruby->isVisible()) << "the idiom is shown with its reading";
  const QObjectList stack = ruby->parentWidget()->children();  // bottom to top
  EXPECT_LT(stack.indexOf(ruby), stack.indexOf(c().trvRelated));
  EXPECT_GT(stack.indexOf(ruby), stack.indexOf(c().txtIdiom));
}

TEST_F(MainWindow, AClickOnTheRubyGoesToTheBoxUnderIt) {
  Search("爱不释手");
  ShowAfterTick();
  auto *ruby = c().txtIdiom->parentWidget()->findChild<QWidget *>("picRuby", Qt::FindDirectChildrenOnly);
  ASSERT_TRUE(ruby && ruby->isVisible());
  const auto clickOver = [&](QWidget *box) {
    QTest::mouseClick(ruby, Qt::LeftButton, {}, ruby->mapFromParent(box->geometry().center()));
  };
  clickOver(c().txtSpell);
  EXPECT_EQ(QApplication::focusWidget(), c().txtSpell) << "the reading takes the click";
  EXPECT_FALSE(c().txtSpell->hasSelectedText());
  c().txtSearchKey->setFocus();
  ASSERT_TRUE(WaitFor([&] { return ruby->isVisible(); }));
  clickOver(c().txtIdiom);
  EXPECT_EQ(QApplication::focusWidget(), c().txtIdiom);
  EXPECT_EQ(c().txtIdiom->selectedText(), "爱不释手");
}

// The bold CJK face is megabytes read from disk after a boot: the first
// frame draws nothing bold, and what is bold turns bold just after it.
TEST_F(MainWindow, NothingIsBoldBeforeTheFirstFrameAndTheTitleAndIdiomAreAfterIt) {
  EXPECT_FALSE(c().cmdKOVTitle->font().bold());
  EXPECT_FALSE(c().txtIdiom->font().bold());
  EXPECT_EQ(c().lblUserName->width(), 0) << "no name is measured in its bold font";
  EXPECT_TRUE(c().lblUserName->font().bold()) << "the name keeps its own bold font for when there is one";
  ASSERT_TRUE(WaitFor([&] { return c().cmdKOVTitle->font().bold() && c().txtIdiom->font().bold(); }));
  // Drawn heavier from the regular face: one Chinese face in memory.
  EXPECT_EQ(QFontInfo(c().txtIdiom->font()).styleName(), "Regular");
  EXPECT_EQ(QFontInfo(c().cmdKOVTitle->font()).styleName(), "Regular");
}

TEST(ListHeader, MeasuresItsSectionsInItsOwnFontNotAsIfBold) {
  QStandardItemModel model(0, 1);
  const QString title = QStringLiteral("Idioms of the whole dictionary");
  model.setHorizontalHeaderLabels({title});
  QTreeView plain, listed;
  ListHeader::InstallOn(&listed);
  for (QTreeView *view : {&plain, &listed}) view->setModel(&model);
  const int measured = listed.header()->sectionSizeHint(0);
  EXPECT_GE(measured, listed.header()->fontMetrics().horizontalAdvance(title));
  EXPECT_LT(measured, plain.header()->sectionSizeHint(0));
  EXPECT_EQ(listed.header()->defaultAlignment(), plain.header()->defaultAlignment());
  EXPECT_EQ(listed.header()->sectionsMovable(), plain.header()->sectionsMovable());
}

TEST_F(MainWindow, AnotherSourcesReadingStandsAboveTheSenses) {
  auto entries = test::SmallSource();
  entries[0].otherReading = "yī mǎ dàng xiān";  // 一马当先, read otherwise by another source
  Open(entries);
  Search("一马当先");
  EXPECT_TRUE(c().txtExplain->toPlainText().startsWith("@pinyin-pro reads: yī mǎ dàng xiān\n"))
      << c().txtExplain->toPlainText().toStdString();
  EXPECT_EQ(c().txtSpell->text(), "yī mǎ dāng xiān") << "the idiom keeps its own reading";
  Search("爱不释手");
  EXPECT_FALSE(c().txtExplain->toPlainText().contains("Other reading"));
}

TEST_F(MainWindow, ClosingTheWindowEndsTheProgramWhateverOtherWindowIsShown) {
  QWidget card;  // a window of its own, as a popup or a helper window may be
  card.show();
  QTimer::singleShot(0, window.get(), [this] { window->close(); });
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(QCoreApplication::exec(), 0) << "still running behind the other window";
}

TEST_F(MainWindow, TheCombinedTextShowsTheIdiomWhereTheExampleMarksIt) {
  editions::SourceEntry entry;
  entry.simplified = "对牛弹琴";
  entry.spell = "duì niú tán qín";
  entry.example = "～，牛不入耳";
  Open({entry});
  ShowAfterTick();
  Search("对牛弹琴");
  EXPECT_TRUE(window->Detail().DetailText().endsWith("Example：对牛弹琴，牛不入耳"))
      << window->Detail().DetailText().toStdString();
}
