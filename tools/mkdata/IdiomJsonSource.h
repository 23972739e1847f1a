#pragma once
// The common layout of open idiom data sets: a JSON array of objects with
// "word", "pinyin" (tone marks), "explanation", "derivation" and "example";
// the text "无" in a field means no value.
#include <QByteArray>
#include <vector>

#include "SourceEntry.h"

namespace velmora::mkdata {

// Throws std::runtime_error (or nlohmann's parse error) on malformed input.
std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json);

}  // namespace velmora::mkdata
