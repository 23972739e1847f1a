#pragma once
// One idiom as a data source gives it, before the editions are built.
#include <QString>
#include <optional>

namespace velmora::mkdata {

struct SourceEntry {
  QString simplified;
  QString traditional;  // empty when the source has none (converted later)
  QString spell;        // tone-marked pinyin, syllables separated by blanks
  std::optional<QString> note;
  std::optional<QString> source;
  std::optional<QString> example;
};

}  // namespace velmora::mkdata
