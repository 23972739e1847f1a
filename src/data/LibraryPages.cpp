#include "LibraryPages.h"

#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

struct Request {
  const char *prefix;
  size_t released = 0;
};

bool NamedWith(const char *path, const char *prefix) {
  if (path == nullptr || *path == '\0') return false;
  const char *slash = std::strrchr(path, '/');
  const char *name = slash != nullptr ? slash + 1 : path;
  return std::strncmp(name, prefix, std::strlen(prefix)) == 0;
}

// Code patched by the loader lives in the process's own copies of its pages:
// unmapping them would bring back the unpatched file.
bool HasTextRelocations(const dl_phdr_info &library) {
  for (int i = 0; i < library.dlpi_phnum; ++i) {
    const ElfW(Phdr) &header = library.dlpi_phdr[i];
    if (header.p_type != PT_DYNAMIC) continue;
    for (const auto *entry = reinterpret_cast<const ElfW(Dyn) *>(library.dlpi_addr + header.p_vaddr);
         entry->d_tag != DT_NULL; ++entry) {
      if (entry->d_tag == DT_TEXTREL) return true;
      if (entry->d_tag == DT_FLAGS && (entry->d_un.d_val & DF_TEXTREL) != 0) return true;
    }
  }
  return false;
}

// Only whole pages inside the segment: a page shared with a neighbour is kept.
size_t ReleaseSegment(const dl_phdr_info &library, const ElfW(Phdr) & segment) {
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const uintptr_t first = library.dlpi_addr + segment.p_vaddr;
  const uintptr_t start = (first + page - 1) & ~(page - 1);
  const uintptr_t end = (first + segment.p_memsz) & ~(page - 1);
  if (end <= start) return 0;
  return madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED) == 0 ? end - start : 0;
}

int ReleaseIfNamed(dl_phdr_info *library, size_t, void *data) {
  auto *request = static_cast<Request *>(data);
  if (!NamedWith(library->dlpi_name, request->prefix) || HasTextRelocations(*library)) return 0;
  for (int i = 0; i < library->dlpi_phnum; ++i) {
    const ElfW(Phdr) &segment = library->dlpi_phdr[i];
    if (segment.p_type == PT_LOAD && (segment.p_flags & PF_W) == 0)
      request->released += ReleaseSegment(*library, segment);
  }
  return 0;
}

}  // namespace

size_t ReleaseLibraryPages(const char *fileNamePrefix) {
  Request request{fileNamePrefix};
  dl_iterate_phdr(ReleaseIfNamed, &request);
  return request.released;
}

}  // namespace velmora
