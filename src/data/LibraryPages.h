#pragma once

#include <cstddef>

namespace velmora {

// Unmaps, from this process only, the pages of a loaded shared library's code
// and read-only data. The pages stay in the page cache and come back from it
// on their next use, so nothing changes but what the process holds: pages
// that a library touched once while it set itself up stop counting.
// Writable segments (data, relocated tables) are never touched, nor a
// library whose code was relocated in place.
// Returns the bytes let go; 0 when no library whose file name starts with
// `fileNamePrefix` is loaded.
size_t ReleaseLibraryPages(const char *fileNamePrefix);

}  // namespace velmora
