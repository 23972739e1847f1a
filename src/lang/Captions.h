#pragma once
// Captions that the design gives no key of its own (the import dialog, the
// favourites, the about box's credits): the current language file's text
// under the key when it has one, else the built-in English. The language
// file is read directly; the current settings file stays as it was.
#include <QString>

namespace velmora {

QString CaptionOr(const char *key, const char *builtIn);
// A count worded naturally: the key for one ("1 idiom") or the key for any
// other number ("%1 idioms"), the number put in for %1. A language without
// plurals gives both keys alike.
QString CountCaption(long long count, const char *oneKey, const char *one, const char *manyKey, const char *many);

}  // namespace velmora
