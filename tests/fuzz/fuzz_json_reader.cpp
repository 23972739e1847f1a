// Fuzz target: the reader of idiom data sets in JSON. Whatever the bytes, it
// gives idioms with a word each or refuses the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>

#include "editions/IdiomJsonSource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  try {
    for (const auto &entry : velmora::editions::ReadIdiomJson(bytes))
      if (entry.simplified.isEmpty()) std::abort();
  } catch (const std::exception &) {
    // refused: the builder tells the user
  }
  return 0;
}
