#pragma once
// CC-CEDICT's definitions made readable: the "(idiom)" tag goes (every entry
// here is an idiom), cross-references "勾踐|勾践[Gou1 jian4]" become
// "勾践 (Gōu jiàn)" in the edition's script, and the definitions are joined
// with "; ". "lit." and "fig." stay: they tell the two senses apart.
#include <QString>

namespace velmora::editions {

QString CleanCedictDefinitions(const QString &definitions, bool traditional);

}  // namespace velmora::editions
