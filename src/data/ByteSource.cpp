#include "ByteSource.h"

#include <cstring>

namespace velmora {

bool MemoryBytes::Read(qint64 at, qint64 length, char *into) const {
  if (at < 0 || length < 0 || at > bytes_.size() || length > bytes_.size() - at) return false;
  std::memcpy(into, bytes_.constData() + at, static_cast<size_t>(length));
  return true;
}

}  // namespace velmora
