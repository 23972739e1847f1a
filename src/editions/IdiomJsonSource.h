#pragma once
// The common layout of open idiom data sets: a JSON array of objects with
// "word", "pinyin" (tone marks or tone numbers), "explanation", "derivation"
// and "example" (or 成语/词语, 拼音, 解释/释义, 出处, 例子/例句); also an
// object holding such a list, an object of entries keyed by the idiom, and
// JSON Lines (an object a line). The text "无" in a field means no value.
#include <QByteArray>
#include <QString>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

// No data set nests deeper than a handful of levels; a document that does is
// refused before it is built, since building and walking it take stack.
constexpr int kMostJsonNesting = 32;
// The byte of the first bracket that opens more than `most` levels, if any.
std::optional<qsizetype> FirstTooDeep(const QByteArray &json, int most);

// Throws SourceError naming the file (fileName) and, for malformed JSON,
// the line and column. Entries without an idiom or a reading are left out
// and counted in `skipped`.
std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json, const QString &fileName = {},
                                       SkippedEntries *skipped = nullptr);
// The same from a document already parsed.
std::vector<SourceEntry> ReadIdiomJsonDocument(const nlohmann::json &document, const QString &fileName = {},
                                               SkippedEntries *skipped = nullptr);

}  // namespace velmora::editions
