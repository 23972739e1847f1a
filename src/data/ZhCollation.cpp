#include "ZhCollation.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

int CompareUtf8(void *collator, int lengthA, const void *a, int lengthB, const void *b) {
  UErrorCode status = U_ZERO_ERROR;
  const UCollationResult order = ucol_strcollUTF8(static_cast<UCollator *>(collator), static_cast<const char *>(a),
                                                  lengthA, static_cast<const char *>(b), lengthB, &status);
  if (U_SUCCESS(status) && order != UCOL_EQUAL) return order == UCOL_LESS ? -1 : 1;
  const int common = std::memcmp(a, b, static_cast<size_t>(std::min(lengthA, lengthB)));
  if (common != 0) return common;
  return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

void CloseCollator(void *collator) { ucol_close(static_cast<UCollator *>(collator)); }

}  // namespace

bool RegisterZhCollation(sqlite3 *db) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator *collator = ucol_open("zh", &status);
  if (U_FAILURE(status) || collator == nullptr) return false;
  return sqlite3_create_collation_v2(db, kZhCollationName, SQLITE_UTF8, collator, CompareUtf8, CloseCollator) ==
         SQLITE_OK;
}

}  // namespace velmora
