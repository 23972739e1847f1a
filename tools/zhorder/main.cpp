// Writes, as C++, the pinyin order ICU's "zh" collator gives the characters
// U+3400..U+9FFF: for each, its place among them. The program orders idioms
// by this table, so that it needs no collator at run time (opening one costs
// megabytes) and the order stays the same whatever ICU a machine has.
#include <unicode/ucol.h>
#include <unicode/uvernum.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/ZhOrder.h"

int main() {
  UErrorCode status = U_ZERO_ERROR;
  UCollator *collator = ucol_open("zh", &status);
  if (U_FAILURE(status)) {
    std::fprintf(stderr, "ICU cannot open the zh collator: %s\n", u_errorName(status));
    return 1;
  }
  struct Entry {
    std::string key;
    char32_t character;
  };
  std::vector<Entry> entries;
  for (char32_t c = velmora::kZhOrderFirst; c < velmora::kZhOrderEnd; ++c) {
    const UChar text[1] = {static_cast<UChar>(c)};
    std::string key(static_cast<size_t>(ucol_getSortKey(collator, text, 1, nullptr, 0)), '\0');
    ucol_getSortKey(collator, text, 1, reinterpret_cast<uint8_t *>(key.data()), static_cast<int32_t>(key.size()));
    entries.push_back({std::move(key), c});
  }
  ucol_close(collator);
  std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.key < b.key; });
  std::vector<unsigned> place(entries.size());
  for (size_t rank = 0; rank < entries.size(); ++rank) place[entries[rank].character - velmora::kZhOrderFirst] = rank;
  std::printf("// Made by velmora-zhorder from ICU %s: do not edit.\n", U_ICU_VERSION);
  std::printf("static const uint16_t kPinyinPlace[%zu] = {\n", place.size());
  for (size_t i = 0; i < place.size(); ++i) std::printf("%u,%s", place[i], i % 16 == 15 ? "\n" : "");
  std::printf("};\n");
  return 0;
}
