#pragma once
// What ties idioms together, kept compact for every idiom of an edition:
// idioms of the same meaning (a shared English sense after normalising, or a
// shared clause of a Chinese explanation), idioms sharing characters, and the
// idioms that may follow one in the chain game (成语接龙): those beginning
// with its last character, or with its last syllable (with or without tone).
// The data builder stores it in the edition; an edition without it has it
// built from its rows.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IdiomFrequencies.h"

namespace velmora {

enum class ChainRule { SameCharacter, SameSyllableAndTone, SameSyllable };

struct RelatedIdioms {
  QStringList sameMeaning;     // best first: most senses shared
  QStringList sameCharacters;  // the longest shared run first
  QStringList nextByCharacter;
  QStringList nextBySyllable;  // beginning with the last syllable, any tone, not already above
};

class RelatedIndex {
 public:
  static constexpr int kListed = 8;

  // Rows in any order; Finish before the first question.
  void Add(const QString &idiom, const QString &spell, const QString &note);
  void Finish();
  int size() const { return static_cast<int>(offsets_.size()) - 1; }

  std::optional<int> RowOf(const QString &idiom) const;
  QString IdiomAt(int row) const;
  // The first and last syllables of the row's reading, compact ("xian1");
  // empty without a reading.
  std::string FirstSyllable(int row) const;
  std::string LastSyllable(int row) const;

  // With frequencies (by row: the index's rows are the edition's list rows),
  // each section puts the common idioms first, so a long section's rare
  // tail is what falls beyond `listed`, the most a section gives.
  RelatedIdioms Find(const QString &idiom, const IdiomFrequencies *frequencies = nullptr, int listed = kListed) const;
  // Every idiom that may follow the row under the rule, in row order.
  std::vector<int> Successors(int row, ChainRule rule) const;

  QByteArray Serialize() const;
  static std::optional<RelatedIndex> Deserialize(const QByteArray &bytes);

  // A sense as compared: lower case, without "lit."/"fig.", parentheses,
  // a leading "to", articles and punctuation; empty when nothing is left.
  static QString NormalizedSense(const QString &sense);
  // The senses of an explanation: English ones split at ";", Chinese
  // clauses at "；", "。" and "，" (clauses of four characters or more).
  static QStringList Senses(const QString &note);

 private:
  std::u16string_view TextAt(int row) const;
  std::vector<int> RowsBeginningWith(char32_t character) const;
  std::vector<int> RowsOfFirstSyllable(const std::string &syllable, bool withTone) const;

  std::u16string text_;               // every idiom, one after another
  std::vector<uint32_t> offsets_{0};  // where each row's idiom starts
  std::string syllables_;             // "first|last" of each row, one after another
  std::vector<uint32_t> syllableOffsets_{0};
  std::vector<uint32_t> byText_;                           // rows in idiom order, for RowOf
  std::vector<std::pair<char32_t, uint32_t>> characters_;  // (character, row), sorted; each once per row
  std::vector<std::pair<char32_t, uint32_t>> firsts_;      // (first character, row), sorted
  std::vector<uint32_t> bySyllable_;                       // rows sorted by their toneless first syllable
  std::vector<std::pair<uint64_t, uint32_t>> senses_;      // (sense, row), sorted; shared senses only
  std::vector<std::pair<uint32_t, uint64_t>> rowSenses_;   // (row, sense), sorted; shared senses only
  std::vector<std::vector<uint64_t>> pending_;             // each row's senses until Finish
};

}  // namespace velmora
