// Fuzz target: the reader of idiom data sets in JSON. Whatever the bytes
// (nesting without end, numbers past a double, control characters), it
// gives idioms with a word each or refuses the file in words; nothing else
// leaves it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "editions/IdiomJsonSource.h"
#include "editions/SourceError.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  try {
    for (const auto &entry : velmora::editions::ReadIdiomJson(bytes)) {
      Require(!entry.simplified.isEmpty());
      Require(!entry.simplified.contains(QChar(0)) && !entry.spell.contains(QChar(0)));
    }
  } catch (const velmora::editions::SourceError &) {
    // refused: the builder tells the user
  }
  return 0;
}
