// Idioms found in a text: the automaton over both scripts.
#include <gtest/gtest.h>

#include "TestInstall.h"
#include "dictionary/IdiomAutomaton.h"

namespace velmora {
namespace {

TEST(IdiomAutomaton, LongestFirstInEitherScript) {
  IdiomAutomaton automaton;
  const QStringList idioms = {"画龙点睛", "一针见血", "点睛之笔", "人山人海", "山人"};
  for (int i = 0; i < idioms.size(); ++i) automaton.Add(idioms[i], i);
  automaton.Add("畫龍點睛", 0);  // the other script, the same idiom
  automaton.Add("爱美之心，人皆有之", 5);
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

}  // namespace
}  // namespace velmora
