#pragma once
// Small file and naming helpers shared by every window.
#include <QString>

namespace velmora {

// The path with each component matched against the disk without regard to
// case. Components that do not exist are kept as given.
QString ResolvePath(const QString &path);

// True for an existing ordinary file that is not hidden (name starting with
// "."); false for folders, missing paths and anything that cannot be examined.
bool FileExists(const QString &path);

// The text after the last "/"; the whole path when it has none.
QString FileNameOfPath(const QString &path);

// "M" followed by the value: the key of a tree node.
QString NodeKey(const QString &value);

}  // namespace velmora
