#include <gtest/gtest.h>

#include <map>
#include <set>

#include "TestInstall.h"
#include "practice/MissingCharacterQuiz.h"

using namespace velmora;

TEST(Puzzle, HidesTheCharacterAtThePosition) {
  EXPECT_EQ(BuildPuzzle("一马当先", 1).shown, "X马当先");
  EXPECT_EQ(BuildPuzzle("一马当先", 4).shown, "一马当X");
  EXPECT_EQ(BuildPuzzle("一马当先", 4).hidden, "先");
  EXPECT_EQ(BuildPuzzle("马", 1).shown, "X");
  const Puzzle wide = BuildPuzzle(QStringLiteral("𠀀不𪚥"), 3);
  EXPECT_EQ(wide.shown, QStringLiteral("𠀀不X")) << "a character outside the BMP is one position";
  EXPECT_EQ(wide.hidden, QStringLiteral("𪚥"));
  EXPECT_EQ(Characters(QStringLiteral("𠀀不𪚥")).size(), 3);
}

TEST(Puzzle, JudgesTheTrimmedAnswerExactly) {
  EXPECT_TRUE(JudgeAnswer(" 马 ", "马"));
  EXPECT_FALSE(JudgeAnswer("马马", "马"));
  EXPECT_FALSE(JudgeAnswer("", "马"));
  EXPECT_FALSE(JudgeAnswer("Ｘ", "X")) << "width counts";
}

TEST(Puzzle, DrawnNumbersStayInRange) {
  EXPECT_EQ(DrawNumber(0.0, 13), 1);
  EXPECT_EQ(DrawNumber(0.9999999999, 13), 13);
  EXPECT_EQ(DrawNumber(1.0, 13), 13) << "never above the count";
  EXPECT_EQ(DrawNumber(0.5, 0), 1);
  EXPECT_EQ(DrawNumber(0.99, 70000), 69301);
}

TEST(Puzzle, PositionsAreEquallyLikely) {
  MissingCharacterQuiz quiz;
  std::map<int, int> counts;
  constexpr int kDraws = 20000;
  for (int i = 0; i < kDraws; ++i) ++counts[static_cast<int>(DrawNumber(quiz.Uniform(), 4))];
  ASSERT_EQ(counts.size(), 4u);
  for (const auto &[position, count] : counts) {
    EXPECT_GE(position, 1);
    EXPECT_LE(position, 4);
    EXPECT_NEAR(count, kDraws / 4, kDraws / 4 / 10) << "position " << position;
  }
}

TEST(Quiz, DrawsAgainOverGapsAndEmptyIdiomsThenGivesUp) {
  MissingCharacterQuiz quiz;
  int calls = 0;
  const auto gapsThenIdiom = [&calls](long long) -> std::optional<QString> {
    ++calls;
    if (calls == 1) return std::nullopt;
    if (calls == 2) return QString();
    return QStringLiteral("一马当先");
  };
  const auto puzzle = quiz.Draw("5", gapsThenIdiom);
  ASSERT_TRUE(puzzle.has_value());
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(puzzle->idiom, "一马当先");
  EXPECT_EQ(Characters(puzzle->shown).size(), 4);
  EXPECT_TRUE(puzzle->shown.contains('X'));

  calls = 0;
  EXPECT_FALSE(quiz.Draw("5",
                         [&calls](long long) -> std::optional<QString> {
                           ++calls;
                           return std::nullopt;
                         })
                   .has_value());
  EXPECT_EQ(calls, MissingCharacterQuiz::kDrawAttempts);
}

TEST(Quiz, CodeRangeFollowsTheHighestCode) {
  MissingCharacterQuiz quiz;
  long long highest = 0;
  std::set<long long> emptyCodes;
  for (int i = 0; i < 2000; ++i) {
    quiz.Draw("70000", [&highest](long long code) -> std::optional<QString> {
      EXPECT_GE(code, 1);
      EXPECT_LE(code, 70000);
      highest = std::max(highest, code);
      return QStringLiteral("成语");
    });
    quiz.Draw("", [&emptyCodes](long long code) -> std::optional<QString> {
      emptyCodes.insert(code);
      return QStringLiteral("成语");
    });
  }
  EXPECT_GT(highest, 32767) << "codes past 16 bits are drawn";
  EXPECT_EQ(emptyCodes, std::set<long long>({1})) << "an empty highest code draws code 1";
}
