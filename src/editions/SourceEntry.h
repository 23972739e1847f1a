#pragma once
// One idiom as a data source gives it, before the editions are built.
#include <QString>
#include <QStringList>
#include <optional>

namespace velmora::editions {

struct SourceEntry {
  QString simplified;
  QString traditional;          // empty when the source has none (converted later)
  QString spell;                // tone-marked pinyin, syllables separated by blanks
  std::optional<QString> note;  // the explanation in Chinese
  std::optional<QString> source;
  std::optional<QString> example;
  std::optional<QString> english;      // English definitions, in CC-CEDICT's notation
  QStringList synonyms, antonyms;      // 近义词 and 反义词, as the source spells them
  std::optional<long long> frequency;  // how common: the word list's count; none when unknown
  QString otherReading;                // another source's reading where it differs (ReadingCheck.h)
};

// The entries of a source that could not be taken, by why.
struct SkippedEntries {
  int notAnEntry = 0;      // an item of the list that is no object
  int withoutIdiom = 0;    // no idiom ("word") in it
  int withoutReading = 0;  // no reading ("pinyin"): neither filed nor found by it
  // Control characters in the idiom or its reading, or a reading far longer
  // than any idiom's: text that is not what it seems, left out whole.
  int unreadable = 0;
  int Total() const { return notAnEntry + withoutIdiom + withoutReading + unreadable; }

  // Taken, but told, since they may read wrongly: a reading of more or fewer
  // syllables than the idiom has characters, and tone digits that are no
  // tone (0, 6 to 9).
  int syllablesDiffer = 0;
  int oddToneDigits = 0;
  int Doubtful() const { return syllablesDiffer + oddToneDigits; }
  void Add(const SkippedEntries &other) {
    notAnEntry += other.notAnEntry;
    withoutIdiom += other.withoutIdiom;
    withoutReading += other.withoutReading;
    unreadable += other.unreadable;
    syllablesDiffer += other.syllablesDiffer;
    oddToneDigits += other.oddToneDigits;
  }
};

// Where an edition's idioms came from, as the edition records it.
struct SourceFacts {
  QString name;     // "CC-CEDICT", or the file's name
  QString version;  // a version or a date
  QString licence;  // empty when the source does not say
};

}  // namespace velmora::editions
