// Idioms found in a text: the automaton over both scripts.
#include <gtest/gtest.h>

#include "TestInstall.h"
#include "dictionary/IdiomAutomaton.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/SelectionLookup.h"

namespace velmora {
namespace {

TEST(IdiomAutomaton, LongestFirstInEitherScript) {
  IdiomAutomaton automaton;
  const QStringList idioms = {"画龙点睛", "一针见血", "点睛之笔", "人山人海", "山人"};
  for (int i = 0; i < idioms.size(); ++i) automaton.Add(idioms[i], i);
  automaton.Add("畫龍點睛", 0);           // the other script, the same idiom
  automaton.Add("爱美之心,人皆有之", 5);  // as compared
  automaton.Finish();

  const QString text = "他的批评一针见血，这一句是画龙点睛之笔。人山人海里畫龍點睛。𠀋爱美之心，人皆有之";
  const auto found = automaton.Scan(text);
  std::vector<std::pair<QString, int>> seen;
  for (const auto &f : found) seen.emplace_back(text.mid(f.start, f.length), f.idiom);
  EXPECT_EQ(seen,
            (std::vector<std::pair<QString, int>>{{"一针见血", 1},
                                                  {"画龙点睛", 0},  // first to start wins over 点睛之笔
                                                  {"人山人海", 3},  // longest, not 山人 inside it
                                                  {"畫龍點睛", 0},
                                                  {"爱美之心，人皆有之", 5}}));  // after a supplementary character
  EXPECT_EQ(automaton.Longest("说到底就是点睛之笔"), 2);
  EXPECT_EQ(automaton.Longest("没有成语"), -1);
  EXPECT_TRUE(automaton.Scan("").empty());
  EXPECT_TRUE(IdiomAutomaton().empty());
}

std::vector<QString> FoundIn(const IdiomAutomaton &automaton, const QString &text) {
  std::vector<QString> seen;
  for (const auto &f : automaton.Scan(text)) seen.push_back(text.mid(f.start, f.length));
  return seen;
}

TEST(IdiomAutomaton, FindsAnIdiomEndingInsideAnotherPath) {
  // 塞翁失马，焉知非福 overlaps the idiom kept; 焉知非福 ends on its path and
  // does not overlap it.
  IdiomAutomaton automaton;
  automaton.Add("他说塞翁", 0);
  automaton.Add("塞翁失马,焉知非福", 1);
  automaton.Add("焉知非福", 2);
  automaton.Add("知非", 3);
  automaton.Finish();
  EXPECT_EQ(FoundIn(automaton, "他说塞翁失马,焉知非福"), (std::vector<QString>{"他说塞翁", "焉知非福"}));
  EXPECT_EQ(automaton.Longest("塞翁失马,焉知"), -1);
  EXPECT_EQ(automaton.Longest("有的知非"), 3);
}

TEST(IdiomAutomaton, ReadsTextAsTheMatcherComparesItAndShowsTheEditionsForm) {
  IdiomMatcher matcher;
  matcher.Build({"兵马未动，粮草先行", "分久必合，合久必分", "ＡＢ成语"}, {"", "", ""});
  matcher.SetOtherScript("兵馬未動，糧草先行\n分久必合，合久必分\n");
  EXPECT_EQ(matcher.IdiomAt(0), "兵马未动，粮草先行");
  EXPECT_EQ(matcher.ComparedIdiomAt(0), "兵马未动,粮草先行");
  EXPECT_EQ(matcher.OtherScriptAt(0), "兵馬未動，糧草先行");
  EXPECT_EQ(matcher.OtherScriptAt(1), "分久必合，合久必分");
  ASSERT_EQ(matcher.Find("分久必合，合久").size(), 1u);

  const IdiomAutomaton automaton = IdiomAutomaton::Over(matcher);
  // Full-width and half-width commas, the other script, full-width letters
  // and case: every place found is a place of the text as given.
  const QString text = "一说分久必合，合久必分，又说分久必合,合久必分。兵馬未動，糧草先行!ab成语";
  EXPECT_EQ(FoundIn(automaton, text),
            (std::vector<QString>{"分久必合，合久必分", "分久必合,合久必分", "兵馬未動，糧草先行", "ab成语"}));
  EXPECT_EQ(automaton.Longest("他说：兵马未动，粮草先行。"), 0);
}

}  // namespace
}  // namespace velmora

TEST(SelectionLookup, AShortChineseSelectionIsLookedUpOnceUntilAnotherComes) {
  velmora::SelectionLookup lookup;
  EXPECT_TRUE(lookup.Wanted("他这是刻舟求剑吧"));
  EXPECT_FALSE(lookup.Wanted(" 他这是刻舟求剑吧\n")) << "the same selection announced again";
  EXPECT_FALSE(lookup.Wanted("just some English"));
  EXPECT_FALSE(lookup.Wanted(QString(65, QChar(0x4e00)))) << "a page, not a word";
  EXPECT_FALSE(lookup.Wanted(""));
  EXPECT_TRUE(lookup.Wanted("画蛇添足"));
  EXPECT_TRUE(lookup.Wanted("他这是刻舟求剑吧")) << "back to the first after another";
}
