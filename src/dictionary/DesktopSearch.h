#pragma once
// What the desktop's search (GNOME Shell's search provider, KDE's KRunner)
// is answered with: the idioms the search box would list first, meanings
// included, and a line for each with its reading and meaning.
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace velmora {

class IdiomSearch;

inline constexpr int kDesktopResults = 5;

// The first idioms for the key, best first; none for a blank key.
QStringList DesktopResults(IdiomSearch &search, const QString &key);
// "name" (the idiom) and "description" (reading — first line of meaning).
QVariantMap DesktopDescription(const QString &idiom);

}  // namespace velmora
