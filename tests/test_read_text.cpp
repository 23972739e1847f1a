// Read text: the idioms of a text underlined and counted.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "dictionary/IdiomAutomaton.h"
#include "dictionary/IdiomMatcher.h"
#include "mainwindow/lookup/ReadTextDialog.h"
#include "platform/FileDialogs.h"

namespace velmora {
namespace {

class ReadText : public ::testing::Test {
 protected:
  ReadText() {
    matcher_.Build({"分久必合，合久必分", "兵马未动，粮草先行", "画蛇添足"}, {"", "", ""});
    automaton_ = IdiomAutomaton::Over(matcher_);
    dialog_ = std::make_unique<ReadTextDialog>(
        ReadTextDialog::Services{[this] { return &automaton_; }, [this](int row) { return matcher_.IdiomAt(row); },
                                 [](const QString &) { return true; },
                                 [](const QString &idiom) { return "about " + idiom; },
                                 [this](const std::vector<QString> &idioms) {
                                   int added = 0;
                                   for (const QString &idiom : idioms) added += studied_.insert(idiom).second;
                                   return added;
                                 }},
        nullptr);
  }
  // Each idiom listed with how often it stands in the text.
  std::vector<std::pair<QString, QString>> Listed() const {
    auto *list = dialog_->findChild<QTreeWidget *>("lstReadIdioms");
    std::vector<std::pair<QString, QString>> listed;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      listed.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(2));
    return listed;
  }
  QStringList Underlined() const {
    QStringList underlined;
    for (const auto &selection : dialog_->findChild<QPlainTextEdit *>("txtReadText")->extraSelections())
      underlined << selection.cursor.selectedText();
    return underlined;
  }

  IdiomMatcher matcher_;
  IdiomAutomaton automaton_;
  std::set<QString> studied_;
  std::unique_ptr<ReadTextDialog> dialog_;
};

TEST_F(ReadText, FindsIdiomsWrittenWithEitherCommaAndListsThemAsTheEditionWrites) {
  dialog_->SetText("分久必合，合久必分；分久必合,合久必分。兵马未动，粮草先行，画蛇添足。");
  EXPECT_EQ(Underlined(), QStringList({"分久必合，合久必分", "分久必合,合久必分", "兵马未动，粮草先行", "画蛇添足"}));
  EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{
                          {"分久必合，合久必分", "2"}, {"兵马未动，粮草先行", "1"}, {"画蛇添足", "1"}}));
  auto *list = dialog_->findChild<QTreeWidget *>("lstReadIdioms");
  EXPECT_EQ(list->topLevelItem(2)->text(1), "about 画蛇添足") << "each with its reading and meaning";

  // The new ones into Study; a second press finds none new.
  studied_.insert("画蛇添足");
  auto *study = dialog_->findChild<QPushButton *>("cmdReadStudy");
  study->click();
  EXPECT_EQ(studied_.size(), 3u);
  EXPECT_EQ(dialog_->findChild<QLabel *>("lblReadStatus")->text(), "2 idioms put into Study");
  study->click();
  EXPECT_EQ(dialog_->findChild<QLabel *>("lblReadStatus")->text(), "0 idioms put into Study");
}

bool WaitFor(const std::function<bool()> &done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

TEST_F(ReadText, OpensOnlyRegularFilesOfBoundedSizeOffTheWindowsThread) {
  QTemporaryDir dir;
  const QString pipe = dir.filePath("text.fifo"), link = dir.filePath("zero.txt"), big = dir.filePath("big.txt");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", link));
  {
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(40LL * 1024 * 1024));  // sparse: no room taken
  }
  QFile gb(dir.filePath("gb.txt"));
  ASSERT_TRUE(gb.open(QIODevice::WriteOnly));
  QString text;
  for (int i = 0; i < 50; ++i) text += "他说这是一百次。";
  text += "画蛇添足，";
  QStringEncoder encoder("GB18030");
  gb.write(encoder.encode(text));
  gb.close();
  auto *status = dialog_->findChild<QLabel *>("lblReadStatus");
  for (const QString &path : {pipe, link, big, gb.fileName()}) {
    SetOpenFilesChooser([&](QWidget *, const QString &, const QString &) { return QStringList{path}; });
    status->clear();
    QTest::mouseClick(dialog_->findChild<QPushButton *>("cmdReadOpen"), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !status->text().isEmpty() && status->text() != "Reading…"; }))
        << path.toStdString();
    if (path == gb.fileName()) {
      EXPECT_EQ(dialog_->findChild<QPlainTextEdit *>("txtReadText")->toPlainText(), text) << "GB18030, not UTF-8";
      EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{{"画蛇添足", "1"}}));
    } else {
      EXPECT_TRUE(status->text().contains(path == big ? "larger than" : "not a text file"))
          << status->text().toStdString();
    }
  }
  SetOpenFilesChooser({});
}

TEST_F(ReadText, ATextOfAHundredThousandIdiomsUnderlinesWhatIsInView) {
  QString text;
  for (int i = 0; i < 100000; ++i) text += i % 2 ? "画蛇添足。" : "画蛇添足\n";
  dialog_->resize(600, 400);
  dialog_->show();
  dialog_->SetText(text);
  ASSERT_TRUE(WaitFor([&] { return !Listed().empty(); }));
  EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{{"画蛇添足", "100000"}})) << "counted from the scan";
  const qsizetype underlined = Underlined().size();
  EXPECT_GT(underlined, 0);
  EXPECT_LT(underlined, 1000) << "the lines in view, not the whole text";
  // Scrolled to the end, the idioms there are underlined.
  auto *box = dialog_->findChild<QPlainTextEdit *>("txtReadText");
  box->moveCursor(QTextCursor::End);
  box->ensureCursorVisible();
  EXPECT_TRUE(WaitFor([&] {
    const auto selections = box->extraSelections();
    return !selections.isEmpty() && selections.back().cursor.position() > box->document()->characterCount() - 100;
  })) << "the idioms at the end underlined";
}

// What a scan of a long text found belongs to the text it read: an idiom
// typed while it runs is counted too.
TEST_F(ReadText, ATextOfOneEndlessLineIsShownBrokenAfterItsSentencesAndEveryIdiomFound) {
  QString text;
  for (int i = 0; i < 3000; ++i) text += i % 2 ? "画蛇添足。" : "分久必合，合久必分，";
  dialog_->SetText(text);
  auto *box = dialog_->findChild<QPlainTextEdit *>("txtReadText");
  ASSERT_TRUE(WaitFor([&] { return !Listed().empty(); }));
  EXPECT_GT(box->document()->blockCount(), 5) << "laid out a piece at a time";
  for (const QString &line : box->toPlainText().split('\n')) EXPECT_LE(line.size(), 2000 + 10);
  EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{{"分久必合，合久必分", "1500"}, {"画蛇添足", "1500"}}));
}

TEST_F(ReadText, ALongTextChangedWhileItIsReadIsReadAgain) {
  QString text;
  for (int i = 0; i < 100000; ++i) text += "画蛇添足\n";
  dialog_->SetText(text);
  auto *box = dialog_->findChild<QPlainTextEdit *>("txtReadText");
  // All of it in, the scan begins on another thread; typed at once.
  ASSERT_TRUE(WaitFor([&] { return box->document()->characterCount() > text.size(); }));
  QTextCursor start(box->document());
  start.insertText("兵马未动，粮草先行");
  ASSERT_TRUE(WaitFor([&] { return !Listed().empty(); }));
  EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{{"画蛇添足", "100000"}, {"兵马未动，粮草先行", "1"}}));
  auto *progress = dialog_->findChild<QProgressBar *>();
  EXPECT_TRUE(progress->isHidden());
  // A text put in a piece at a time but read at once: the bar goes too.
  dialog_->SetText(text.left(150000));
  EXPECT_FALSE(progress->isHidden());
  ASSERT_TRUE(WaitFor([&] { return !Listed().empty() && Listed().front().second == "30000"; }));
  EXPECT_TRUE(progress->isHidden());
}

}  // namespace
}  // namespace velmora
