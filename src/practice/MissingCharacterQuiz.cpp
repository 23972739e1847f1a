#include "MissingCharacterQuiz.h"

#include <QTime>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "config/TextNumbers.h"

namespace velmora {

QStringList Characters(const QString &text) {
  QStringList characters;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    characters << text.mid(i, width);
    i += width;
  }
  return characters;
}

Puzzle BuildPuzzle(const QString &idiom, int position) {
  QStringList characters = Characters(idiom);
  Puzzle puzzle{idiom, position, {}, {}};
  if (position < 1 || position > characters.size()) return puzzle;
  puzzle.hidden = characters[position - 1];
  characters[position - 1] = QStringLiteral("X");
  puzzle.shown = characters.join(QString());
  return puzzle;
}

long long DrawNumber(double r, long long count) {
  if (count < 1) return 1;
  return std::min(count, static_cast<long long>(std::floor(r * static_cast<double>(count) + 1)));
}

bool JudgeAnswer(const QString &answer, const QString &hidden) { return answer.trimmed() == hidden; }

MissingCharacterQuiz::MissingCharacterQuiz() { Reseed(); }

void MissingCharacterQuiz::Reseed() {
  const auto microsecondsSinceMidnight =
      static_cast<unsigned long long>(QTime::currentTime().msecsSinceStartOfDay()) * 1000ULL +
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count() % 1000);
  std::seed_seq seed{microsecondsSinceMidnight, microsecondsSinceMidnight >> 32};
  random_.seed(seed);
}

double MissingCharacterQuiz::Uniform() { return std::uniform_real_distribution<double>(0.0, 1.0)(random_); }

std::optional<Puzzle> MissingCharacterQuiz::Draw(const QString &maxCode, const IdiomByCode &idiomByCode) {
  Reseed();
  const auto count = static_cast<long long>(std::clamp(std::floor(LeadingNumber(maxCode)), 0.0, 1e15));
  for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
    const auto idiom = idiomByCode(DrawNumber(Uniform(), count));
    if (!idiom || idiom->isEmpty()) continue;
    const auto length = static_cast<long long>(Characters(*idiom).size());
    return BuildPuzzle(*idiom, static_cast<int>(DrawNumber(Uniform(), length)));
  }
  return std::nullopt;
}

}  // namespace velmora
