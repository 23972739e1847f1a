// Fuzz target: window.ini as the user may have edited it. Whatever the
// bytes, the zoom read is one the window can show.
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "config/WindowMemory.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QTemporaryDir dir;
  const QString path = velmora::fuzz::WriteInput(dir, QStringLiteral("window.ini"), data, size);
  if (path.isEmpty()) return 0;
  const velmora::WindowMemory memory = velmora::ReadWindowMemory(path);
  Require(memory.zoom >= velmora::WindowMemory::kLeastZoom && memory.zoom <= velmora::WindowMemory::kMostZoom);
  return 0;
}
