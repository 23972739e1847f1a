// Fuzz target: the user's store opened from a crafted file. Whatever the
// bytes, opening never crashes; a store that opens keeps a favourite it is
// given, and one that is moved aside leaves a store in its place.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "data/UserStore.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("velmora.db"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return 0;
  file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  file.close();
  velmora::UserStore store(path, QStringLiteral("e"));
  (void)store.Favourites();
  (void)store.History();
  if (store.IsAvailable()) {
    Require(store.SetFavourite(QStringLiteral("一马当先"), true));
    Require(store.IsFavourite(QStringLiteral("一马当先")));
  }
  Require(!store.IsNewer() || !store.IsAvailable());
  if (!store.MovedAside().isEmpty()) Require(QFile::exists(store.MovedAside()) && QFile::exists(path));
  return 0;
}
