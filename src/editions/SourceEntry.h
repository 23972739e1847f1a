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
  std::optional<QString> english;  // English definitions, in CC-CEDICT's notation
  QStringList synonyms, antonyms;  // 近义词 and 反义词, as the source spells them
  std::optional<long long> frequency;  // how common: the word list's count; none when unknown
  QString otherReading;                // another source's reading where it differs (ReadingCheck.h)
};

// Where an edition's idioms came from, as the edition records it.
struct SourceFacts {
  QString name;     // "CC-CEDICT", or the file's name
  QString version;  // a version or a date
  QString licence;  // empty when the source does not say
};

}  // namespace velmora::editions
