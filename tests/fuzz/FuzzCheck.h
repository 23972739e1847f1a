#pragma once
// What every fuzz target needs: a check that stops the run when it fails,
// and the input written to a file for the readers that take a path.
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace velmora::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// The input as the file name in the folder; empty when it cannot be written.
inline QString WriteInput(const QTemporaryDir &dir, const QString &name, const uint8_t *data, size_t size) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  return path;
}

}  // namespace velmora::fuzz
