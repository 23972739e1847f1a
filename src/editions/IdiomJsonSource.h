#pragma once
// The common layout of open idiom data sets: a JSON array of objects with
// "word", "pinyin" (tone marks), "explanation", "derivation" and "example";
// the text "无" in a field means no value.
#include <QByteArray>
#include <QString>
#include <vector>

#include "SourceEntry.h"

namespace velmora::editions {

// Throws SourceError naming the file (fileName) and, for malformed JSON,
// the line and column.
std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json, const QString &fileName = {});

}  // namespace velmora::editions
