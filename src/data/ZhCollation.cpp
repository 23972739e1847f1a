#include "ZhCollation.h"

#include "ZhOrder.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// The collator is opened at the first comparison: ICU's collation costs
// megabytes, and only editions built before the pinyin table compare by it.
struct LazyCollator {
  UCollator *collator = nullptr;
  bool failed = false;
  UCollator *Get() {
    if (collator == nullptr && !failed) {
      UErrorCode status = U_ZERO_ERROR;
      collator = ucol_open("zh", &status);
      if (U_FAILURE(status)) {
        ucol_close(collator);
        collator = nullptr;
      }
      failed = collator == nullptr;
    }
    return collator;
  }
};

int CompareBytes(int lengthA, const void *a, int lengthB, const void *b) {
  const int common = std::memcmp(a, b, static_cast<size_t>(std::min(lengthA, lengthB)));
  if (common != 0) return common;
  return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

int CompareUtf8(void *lazy, int lengthA, const void *a, int lengthB, const void *b) {
  if (UCollator *collator = static_cast<LazyCollator *>(lazy)->Get()) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order = ucol_strcollUTF8(collator, static_cast<const char *>(a), lengthA,
                                                    static_cast<const char *>(b), lengthB, &status);
    if (U_SUCCESS(status) && order != UCOL_EQUAL) return order == UCOL_LESS ? -1 : 1;
  }
  return CompareBytes(lengthA, a, lengthB, b);
}

void CloseCollator(void *lazy) {
  auto *owned = static_cast<LazyCollator *>(lazy);
  ucol_close(owned->collator);
  delete owned;
}

int CompareByTable(void *, int lengthA, const void *a, int lengthB, const void *b) {
  return CompareZhOrder(std::string_view(static_cast<const char *>(a), static_cast<size_t>(lengthA)),
                        std::string_view(static_cast<const char *>(b), static_cast<size_t>(lengthB)));
}

}  // namespace

bool RegisterZhCollation(sqlite3 *db) {
  if (sqlite3_create_collation_v2(db, kZhCollationName, SQLITE_UTF8, nullptr, CompareByTable, nullptr) != SQLITE_OK)
    return false;
  auto *lazy = new LazyCollator;
  if (sqlite3_create_collation_v2(db, kIcuZhCollationName, SQLITE_UTF8, lazy, CompareUtf8, CloseCollator) == SQLITE_OK)
    return true;
  // Unlike its other interfaces, SQLite leaves the data to its owner when
  // registering fails.
  delete lazy;
  return false;
}

}  // namespace velmora
