#pragma once
// CC-CEDICT's definitions made readable: the "(idiom)" tag goes (every entry
// here is an idiom), cross-references "勾踐|勾践[Gou1 jian4]" become
// "勾践 (Gōu jiàn)" in the edition's script, measure words and other
// pronunciations are said in words (dictionary/CedictMarkup), and the
// definitions are joined
// with "; ". "lit." and "fig." stay: they tell the two senses apart.
#include <QString>

namespace velmora::editions {

// A definition that calls the idiom a variant of itself (its other script's
// entry merged into it) is left out.
QString CleanCedictDefinitions(const QString &definitions, bool traditional, const QString &idiom = {});

}  // namespace velmora::editions
