#pragma once
// The collation that orders idioms as a Chinese reader expects: ICU's "zh"
// collator (pinyin order), with a byte comparison to break ties so that
// distinct texts never compare equal.
#include <QString>

struct sqlite3;

namespace velmora {

inline constexpr const char *kZhCollationName = "zh_pinyin";
// What the data files record about the collation of their Idiom column.
inline constexpr const char *kZhCollationDescription = "icu:zh (pinyin), ties by UTF-8 bytes";

// Registers the collation on the connection; false when SQLite refuses it.
// ICU's collator is opened at the first comparison; should ICU fail there,
// texts compare by their bytes.
bool RegisterZhCollation(sqlite3 *db);

}  // namespace velmora
