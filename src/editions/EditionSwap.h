#pragma once
// Putting editions in the place of those in use, and back again, so that at
// every instant each edition the program reads exists under its name and
// opens: a new file is renamed over the one in use (never delete first), the
// one it replaces kept as "<file>.previous" through a hard link made before
// (a checked copy where the file system has no links). A journal in the
// folder names the swap while it runs; a start-up after a kill finishes it
// (RecoverInterruptedSwap). One swap or import at a time per folder
// (ImportLock).
#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

namespace velmora::editions {

struct EditionPaths {
  QString gb, big5;
};

QString PreviousEditionPath(const QString &inUse);
// How many idioms the edition holds, read with the key; -1 when it cannot
// be opened with it.
long long CountIdioms(const QString &path, const QString &password);
// True for an edition that opens with the key, has the tables the program
// reads and as many rows as it says it holds (at least one).
bool IsSoundEdition(const QString &path, const QString &password);

// Puts the built editions where the editions in use are, keeping each one in
// use as "<file>.previous". Checks that there is room for what it keeps
// before anything in use is touched. Throws SourceError.
void ReplaceEditions(const EditionPaths &built, const EditionPaths &inUse, const QString &password);
// Keeps an edition read from elsewhere (the installation's) as the previous
// one of inUse: the first import into the user's folder. Throws SourceError.
void KeepAsPrevious(const QString &edition, const QString &inUse);
bool HasPreviousEditions(const EditionPaths &inUse);
// The previous editions and those in use change places, once every previous
// edition has been verified as sound. Throws SourceError (nothing changed).
void RestorePreviousEditions(const EditionPaths &inUse, const QString &password);
// Finishes a swap that a kill interrupted in the folder (journal present),
// and puts an edition back under its name where only its ".new" or
// ".previous" is left. Quick when there is nothing to do.
void RecoverInterruptedSwap(const QString &folder, const QString &password);

// One import per data folder: held from the build to the swap.
class ImportLock {
 public:
  explicit ImportLock(const QString &folder);
  // False when another import (of this or another copy) holds it.
  bool TryLock();
  void Unlock();

 private:
  std::unique_ptr<QLockFile> lock_;
};

// Tests stop a swap at a step (as a kill would) by throwing from here.
void SetSwapStepHook(std::function<void(const QString &step)> hook);

}  // namespace velmora::editions
