// Fuzz target: window.ini as the user may have edited it. Whatever the
// bytes, the zoom read is one the window can show.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "config/WindowMemory.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("window.ini"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return 0;
  file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  file.close();
  const velmora::WindowMemory memory = velmora::ReadWindowMemory(path);
  Require(memory.zoom >= velmora::WindowMemory::kLeastZoom && memory.zoom <= velmora::WindowMemory::kMostZoom);
  return 0;
}
