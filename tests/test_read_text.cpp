// Read text: the idioms of a text underlined and counted.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTreeWidget>

#include "dictionary/IdiomAutomaton.h"
#include "dictionary/IdiomMatcher.h"
#include "mainwindow/ReadTextDialog.h"

namespace velmora {
namespace {

class ReadText : public ::testing::Test {
 protected:
  ReadText() {
    matcher_.Build({"分久必合，合久必分", "兵马未动，粮草先行", "画蛇添足"}, {"", "", ""});
    automaton_ = IdiomAutomaton::Over(matcher_);
    dialog_ = std::make_unique<ReadTextDialog>(
        ReadTextDialog::Services{[this] { return &automaton_; }, [this](int row) { return matcher_.IdiomAt(row); },
                                 [](const QString &) { return true; }},
        nullptr);
  }
  // Each idiom listed with how often it stands in the text.
  std::vector<std::pair<QString, QString>> Listed() const {
    auto *list = dialog_->findChild<QTreeWidget *>("lstReadIdioms");
    std::vector<std::pair<QString, QString>> listed;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      listed.emplace_back(list->topLevelItem(i)->text(0), list->topLevelItem(i)->text(1));
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
  std::unique_ptr<ReadTextDialog> dialog_;
};

TEST_F(ReadText, FindsIdiomsWrittenWithEitherCommaAndListsThemAsTheEditionWrites) {
  dialog_->SetText("分久必合，合久必分；分久必合,合久必分。兵马未动，粮草先行，画蛇添足。");
  EXPECT_EQ(Underlined(), QStringList({"分久必合，合久必分", "分久必合,合久必分", "兵马未动，粮草先行", "画蛇添足"}));
  EXPECT_EQ(Listed(), (std::vector<std::pair<QString, QString>>{
                          {"分久必合，合久必分", "2"}, {"兵马未动，粮草先行", "1"}, {"画蛇添足", "1"}}));
}

}  // namespace
}  // namespace velmora
