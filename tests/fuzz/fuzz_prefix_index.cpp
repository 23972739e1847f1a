// Fuzz target: a stored search index loaded from crafted bytes. Whatever
// the bytes, an index is refused or it answers within its rows, and what it
// holds serializes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzCheck.h"
#include "dictionary/IdiomFinder.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const auto index = velmora::PrefixIndex::FromBytes(bytes);
  if (!index) return 0;
  for (const std::string prefix : {"", "a", "yi", "\xe4\xb8\x80", "zzzz"}) {
    const int row = index->FirstRow(prefix);
    Require(row >= -1);
  }
  const auto again = velmora::PrefixIndex::FromBytes(index->Serialize());
  Require(again && again->size() == index->size());
  return 0;
}
