// Fuzz target: the CC-CEDICT reader of the data builder. Whatever the bytes,
// it gives idioms or refuses the file; an idiom it gives has a filing letter
// from A to Z or none.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "dictionary/Pinyin.h"
#include "editions/CedictSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  try {
    for (const auto &entry : velmora::editions::ReadCedictIdioms(bytes)) {
      const QString letter = velmora::FilingLetter(entry.spell);
      if (letter.size() > 1 || (letter.size() == 1 && (letter[0] < u'A' || letter[0] > u'Z'))) std::abort();
    }
  } catch (const std::exception &) {
    // refused: the builder tells the user
  }
  return 0;
}
