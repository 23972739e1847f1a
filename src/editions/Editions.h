#pragma once
// Both editions of the dictionary built from several sources at once, and
// put in the place of the editions in use: only when complete and verified,
// keeping those they replace so that they can be brought back.
#include <QString>
#include <vector>

#include "EditionBuilder.h"
#include "EditionSwap.h"
#include "SourceFile.h"

namespace velmora::editions {

// The one way editions are built (the data builder's command line and the
// import alike): both editions, or the one whose path is given, from the
// sources in their order (entries of the same idiom merge), each path
// written whole and verified, or not at all. Throws SourceError or
// BuildCancelled.
void BuildEditions(const std::vector<LoadedSource> &sources, const EditionPaths &paths, const QString &password,
                   const BuildControl &control);

}  // namespace velmora::editions
