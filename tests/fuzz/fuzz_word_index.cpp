// Fuzz target: the word index of search by meaning, from crafted bytes, for
// an edition of a few rows. Whatever the bytes, the index is refused or its
// words find rows of that edition only, and no list unpacks to more than an
// edition of that size could hold (a packed list is a decompression bomb
// otherwise).
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzCheck.h"
#include "data/ByteSource.h"
#include "data/MeaningIndex.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  constexpr size_t kRows = 16;
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const auto index = velmora::MeaningIndex::Open(std::make_shared<velmora::MemoryBytes>(bytes), kRows);
  if (!index) return 0;
  for (const char *word : {"a", "to", "一", "心", "the"})
    for (const long long code : index->RowsWithPhrase({word}, 100)) Require(code >= 1 && code <= INT_MAX);
  return 0;
}
