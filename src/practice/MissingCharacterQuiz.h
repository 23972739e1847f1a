#pragma once
// The missing-character game without its window: draw an idiom by code,
// hide one character as "X", judge the typed answer.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <random>

namespace velmora {

struct Puzzle {
  QString idiom;
  int position = 0;  // of the hidden character, from 1
  QString shown;     // the idiom with "X" in place of the hidden character
  QString hidden;    // the hidden character
};

// The characters of a text as a reader counts them: one each, also outside
// the Basic Multilingual Plane.
QStringList Characters(const QString &text);
// The puzzle for a character position (1 <= position <= length).
Puzzle BuildPuzzle(const QString &idiom, int position);
// floor(r * count + 1): a number from 1 to count for 0 <= r < 1, 1 when
// count is below 1.
long long DrawNumber(double r, long long count);
// The answer without surrounding blanks is exactly the hidden character.
bool JudgeAnswer(const QString &answer, const QString &hidden);

class MissingCharacterQuiz {
 public:
  // The idiom text of a code; nothing when no idiom has it.
  using IdiomByCode = std::function<std::optional<QString>(long long code)>;
  static constexpr int kDrawAttempts = 20;

  MissingCharacterQuiz();
  // Draws an idiom from codes 1 to the leading number of maxCode and hides
  // one of its characters. Codes without an idiom, and empty idioms, are
  // drawn again a bounded number of times; nothing when none was found.
  std::optional<Puzzle> Draw(const QString &maxCode, const IdiomByCode &idiomByCode);
  // Re-seeds from the time of day (seconds since midnight, with fractions).
  void Reseed();
  double Uniform();  // 0 <= r < 1

 private:
  std::mt19937_64 random_;
};

}  // namespace velmora
