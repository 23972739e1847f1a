#pragma once
// The dictionary in use read back as a source, so that an import can add to
// it instead of replacing it: each idiom with its readings and texts, the
// English definitions apart from the Chinese explanation (they are the note's
// last lines without Chinese characters), and the sources it was built from.
#include <QString>

#include "SourceFile.h"

namespace velmora::editions {

// Throws SourceError when the edition cannot be opened with the key.
LoadedSource LoadEditionInUse(const QString &path, const QString &password);

}  // namespace velmora::editions
