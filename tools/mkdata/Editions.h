#pragma once
// Both editions of the dictionary built from several sources at once, and
// put in the place of the editions in use: only when complete and verified,
// keeping those they replace so that they can be brought back.
#include <QString>
#include <vector>

#include "EditionBuilder.h"
#include "SourceFile.h"

namespace velmora::mkdata {

struct EditionPaths {
  QString gb, big5;
};

// Builds both editions from the sources, in their order (entries of the same
// idiom merge), each path written whole or not at all. Throws SourceError or
// BuildCancelled.
void BuildEditions(const std::vector<LoadedSource> &sources, const EditionPaths &paths, const QString &password,
                   const BuildControl &control);
// How many idioms the edition holds, read with the key; -1 when it cannot
// be opened with it.
long long CountIdioms(const QString &path, const QString &password);
// Puts the built editions where the editions in use are, keeping each one
// in use as "<file>.previous". All or nothing: when a step fails, what was
// moved goes back. Throws SourceError.
void ReplaceEditions(const EditionPaths &built, const EditionPaths &inUse);
QString PreviousEditionPath(const QString &inUse);
bool HasPreviousEditions(const EditionPaths &inUse);
// The previous editions and those in use change places.
void RestorePreviousEditions(const EditionPaths &inUse);

}  // namespace velmora::mkdata
