#pragma once
// The collations that order idioms as a Chinese reader expects. Editions
// are built with the pinyin table of ZhOrder.h; editions built before it
// declare ICU's "zh" collator (pinyin order), which is kept for them. Both
// break ties by the bytes, so that distinct texts never compare equal.
#include <QString>

struct sqlite3;

namespace velmora {

inline constexpr const char *kZhCollationName = "zh_order";
// What the data files record about the collation of their Idiom column.
inline constexpr const char *kZhCollationDescription =
    "pinyin order of ICU's zh collator, a character at a time; "
    "other characters by code point; ties by UTF-8 bytes";
// The collation of editions built before: ICU's "zh" collator itself.
inline constexpr const char *kIcuZhCollationName = "zh_pinyin";

// Registers both collations on the connection; false when SQLite refuses.
// ICU's collator is opened at the first comparison that needs it; should
// ICU fail there, texts compare by their bytes.
bool RegisterZhCollation(sqlite3 *db);

}  // namespace velmora
