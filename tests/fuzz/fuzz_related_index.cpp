// Fuzz target: a stored index of related idioms loaded from crafted bytes.
// Whatever the bytes, an index is refused, or it answers every question
// within its rows and serializes back to an index of the same size.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "dictionary/RelatedIndex.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const auto index = velmora::RelatedIndex::Deserialize(bytes);
  if (!index) return 0;
  for (int row = 0; row < index->size() && row < 16; ++row) {
    const velmora::RelatedIdioms related = index->Find(index->IdiomAt(row));
    Require(related.sameMeaning.size() <= velmora::RelatedIndex::kListed);
    for (const auto rule :
         {velmora::ChainRule::SameCharacter, velmora::ChainRule::SameSyllableAndTone, velmora::ChainRule::SameSyllable})
      for (const int next : index->Successors(row, rule)) Require(next >= 0 && next < index->size());
  }
  const auto again = velmora::RelatedIndex::Deserialize(index->Serialize());
  Require(again && again->size() == index->size());
  return 0;
}
