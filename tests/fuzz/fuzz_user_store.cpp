// Fuzz target: the user's store opened from a crafted file. Whatever the
// bytes, opening never crashes; a store that opens keeps a favourite it is
// given, and one that is moved aside leaves a store in its place.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "data/UserStore.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  QTemporaryDir dir;
  const QString path = velmora::fuzz::WriteInput(dir, QStringLiteral("velmora.db"), data, size);
  if (path.isEmpty()) return 0;
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
