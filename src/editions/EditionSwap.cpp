#include "EditionSwap.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <chrono>
#include <cstdio>
#include <vector>

#include "SourceError.h"
#include "config/InstallLayout.h"
#include "data/SqlConnection.h"

namespace velmora::editions {

namespace {

const QString kJournalName = QStringLiteral("velmora-swap.journal");
const QString kLockName = QStringLiteral("velmora-import.lock");
const QString kRestoreSuffix = QStringLiteral(".restore");
const QString kPartSuffix = QStringLiteral(".part");
constexpr std::chrono::minutes kStaleImportLock{30};

std::function<void(const QString &)> &StepHook() {
  static std::function<void(const QString &)> hook;
  return hook;
}

void Step(const QString &name) {
  if (StepHook()) StepHook()(name);
}

// An edition about to take the place of one in use, and that place.
struct Move {
  QString staged, inUse;
};

QString JournalPath(const QString &inUse) { return QFileInfo(inUse).absolutePath() + QLatin1Char('/') + kJournalName; }

QString KeptPart(const QString &inUse) { return PreviousEditionPath(inUse) + kPartSuffix; }

// rename(2): replaces the target in one step, so that its name never
// stands empty (QFile::rename refuses an existing target).
bool RenameOver(const QString &from, const QString &to) {
  return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// A second name for the file's content: a hard link, else a copy checked
// whole. Throws SourceError, with the disk-full sentence when there was no
// room for the copy.
void Duplicate(const QString &from, const QString &to) {
  QFile::remove(to);
  if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0) return;
  const qint64 size = QFileInfo(from).size();
  const QStorageInfo disk(QFileInfo(to).absolutePath());
  if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < size)
    throw SourceError(QStringLiteral("%1 cannot be written: the disk is full").arg(to));
  if (!QFile::copy(from, to) || QFileInfo(to).size() != size) {
    QFile::remove(to);
    throw SourceError(
        QStringLiteral("%1 cannot be written: its folder may not be written, or the disk is full").arg(to));
  }
}

void WriteJournal(const std::vector<Move> &moves) {
  QSaveFile journal(JournalPath(moves.front().inUse));
  QByteArray lines;
  for (const Move &move : moves)
    lines += QFile::encodeName(QFileInfo(move.staged).fileName()) + '\t' +
             QFile::encodeName(QFileInfo(move.inUse).fileName()) + '\n';
  if (!journal.open(QIODevice::WriteOnly) || journal.write(lines) != lines.size() || !journal.commit())
    throw SourceError(QStringLiteral("%1 cannot be written: its folder may not be written, or the disk is full")
                          .arg(journal.fileName()));
}

// The last steps of a swap, each a rename: the kept part becomes the
// previous edition, then the staged one the edition in use. Run again after
// a kill, each step is done once.
bool Complete(const Move &move) {
  const QString part = KeptPart(move.inUse);
  if (QFileInfo::exists(part) && !RenameOver(part, PreviousEditionPath(move.inUse))) return false;
  Step(QStringLiteral("previous ") + QFileInfo(move.inUse).fileName());
  if (QFileInfo::exists(move.staged) && !RenameOver(move.staged, move.inUse)) return false;
  Step(QStringLiteral("installed ") + QFileInfo(move.inUse).fileName());
  return true;
}

// Undoes what a failed swap did: each edition put in place goes back to the
// one kept as previous.
void RollBack(const std::vector<Move> &moves, const std::vector<QString> &keptBefore) {
  for (size_t i = 0; i < moves.size(); ++i) {
    QFile::remove(KeptPart(moves[i].inUse));
    if (QFileInfo::exists(moves[i].staged)) continue;  // not put in place
    // An edition that had none before it goes again; the installed one is read.
    if (keptBefore[i].isEmpty())
      QFile::remove(moves[i].inUse);
    else
      RenameOver(PreviousEditionPath(moves[i].inUse), moves[i].inUse);
  }
  QFile::remove(JournalPath(moves.front().inUse));
}

// Every staged edition takes its place, the one there kept as previous.
void Swap(const std::vector<Move> &moves) {
  std::vector<QString> kept;
  try {
    // First what needs room, while nothing in use has been touched.
    for (const Move &move : moves) {
      kept.push_back(QFileInfo::exists(move.inUse) ? KeptPart(move.inUse) : QString());
      if (!kept.back().isEmpty()) Duplicate(move.inUse, kept.back());
    }
  } catch (const SourceError &) {
    for (const QString &part : kept) QFile::remove(part);
    throw;
  }
  Step(QStringLiteral("prepared"));
  WriteJournal(moves);
  Step(QStringLiteral("journal"));
  for (const Move &move : moves) {
    if (!Complete(move)) {
      RollBack(moves, kept);
      throw SourceError(QStringLiteral("%1 cannot be replaced: its folder may not be written").arg(move.inUse));
    }
  }
  QFile::remove(JournalPath(moves.front().inUse));
}

// The pairs a swap writes, and no others: X.new or X.restore over X, X the
// name of an edition. A journal naming anything else (a user's file, one
// edition over the other, the journal itself) is not obeyed.
bool IsSwapPair(const QString &staged, const QString &inUse) {
  const bool edition = inUse.compare(DataFileName(QStringLiteral("GB")), Qt::CaseInsensitive) == 0 ||
                       inUse.compare(DataFileName(QStringLiteral("BIG5")), Qt::CaseInsensitive) == 0;
  return edition && (staged == inUse + QStringLiteral(".new") || staged == inUse + kRestoreSuffix);
}

std::vector<Move> ReadJournal(const QString &folder) {
  std::vector<Move> moves;
  QFile journal(QDir(folder).filePath(kJournalName));
  if (!QFileInfo(journal.fileName()).isFile() || !journal.open(QIODevice::ReadOnly)) return moves;
  for (const QByteArray &line : journal.read(64 * 1024).split('\n')) {
    const QList<QByteArray> names = line.split('\t');
    if (names.size() != 2) continue;
    const QString staged = QFile::decodeName(names[0]), inUse = QFile::decodeName(names[1]);
    if (!IsSwapPair(staged, inUse)) continue;
    moves.push_back({QDir(folder).filePath(staged), QDir(folder).filePath(inUse)});
  }
  return moves;
}

}  // namespace

QString PreviousEditionPath(const QString &inUse) { return inUse + QStringLiteral(".previous"); }

long long CountIdioms(const QString &path, const QString &password) {
  QString error;
  const auto db = SqlConnection::Open(path, password, SqlConnection::Mode::ReadOnly, &error);
  RecordSet count;
  if (!db || db->Fetch(QStringLiteral("SELECT count(*) AS Idioms FROM VELM"), {}, &count) != 0) return -1;
  return count.Text(QStringLiteral("Idioms")).toLongLong();
}

bool IsSoundEdition(const QString &path, const QString &password) {
  if (!QFileInfo(path).isFile()) return false;
  QString error;
  const auto db = SqlConnection::Open(path, password, SqlConnection::Mode::ReadOnly, &error);
  RecordSet count;
  if (!db || db->Fetch(QStringLiteral("SELECT count(*) AS Idioms FROM VELM"), {}, &count) != 0) return false;
  const long long rows = count.Text(QStringLiteral("Idioms")).toLongLong();
  if (rows < 1) return false;
  // Editions of earlier builders have no information table.
  if (!db->HasTable(QStringLiteral("VelmoraInfo"))) return true;
  RecordSet said;
  if (db->Fetch(QStringLiteral("SELECT Value FROM VelmoraInfo WHERE Name = 'idioms'"), {}, &said) != 0) return false;
  return said.EOF_() || said.Text(QStringLiteral("Value")).toLongLong() == rows;
}

void ReplaceEditions(const EditionPaths &built, const EditionPaths &inUse, const QString &password) {
  for (const QString &path : {built.gb, built.big5})
    if (!IsSoundEdition(path, password))
      throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
  Swap({{built.gb, inUse.gb}, {built.big5, inUse.big5}});
}

void KeepAsPrevious(const QString &edition, const QString &inUse) {
  Duplicate(edition, KeptPart(inUse));
  if (!RenameOver(KeptPart(inUse), PreviousEditionPath(inUse))) {
    QFile::remove(KeptPart(inUse));
    throw SourceError(
        QStringLiteral("%1 cannot be written: its folder may not be written").arg(PreviousEditionPath(inUse)));
  }
}

bool HasPreviousEditions(const EditionPaths &inUse) {
  return QFileInfo::exists(PreviousEditionPath(inUse.gb)) || QFileInfo::exists(PreviousEditionPath(inUse.big5));
}

void RestorePreviousEditions(const EditionPaths &inUse, const QString &password) {
  std::vector<Move> moves;
  for (const QString &path : {inUse.gb, inUse.big5}) {
    const QString previous = PreviousEditionPath(path);
    if (!QFileInfo::exists(previous)) continue;
    if (!IsSoundEdition(previous, password))
      throw SourceError(QStringLiteral("The previous dictionary %1 is damaged and cannot be brought back; "
                                       "the dictionary in use is unchanged.")
                            .arg(previous));
    moves.push_back({path + kRestoreSuffix, path});
  }
  if (moves.empty()) return;
  try {
    for (const Move &move : moves) Duplicate(PreviousEditionPath(move.inUse), move.staged);
    Swap(moves);
  } catch (const SourceError &) {
    for (const Move &move : moves) QFile::remove(move.staged);
    throw;
  }
}

void RecoverInterruptedSwap(const QString &folder, const QString &password) {
  if (!QFileInfo(folder).isDir()) return;
  std::vector<Move> moves = ReadJournal(folder);
  const bool journal = QFileInfo::exists(QDir(folder).filePath(kJournalName));
  if (journal) {
    ImportLock lock(folder);
    if (!lock.TryLock()) return;  // the swap is running in another copy
    for (const Move &move : moves) {
      // A staged edition that does not open is not put in place.
      if (QFileInfo::exists(move.staged) && !IsSoundEdition(move.staged, password)) QFile::remove(move.staged);
      Complete(move);
      QFile::remove(KeptPart(move.inUse));
    }
    QFile::remove(QDir(folder).filePath(kJournalName));
    return;
  }
  // Without a journal: an edition missing under its name while what a swap
  // leaves beside it is there; copies a swap killed early left.
  // Names compared by their ends rather than by name filters, which are
  // regular expressions: this runs at every start.
  const QDir data(folder);
  const QLatin1String part(".previous.part"), previous(".previous");
  QStringList strays, missing;
  for (const QString &name : data.entryList(QDir::Files)) {
    if (name.endsWith(part, Qt::CaseInsensitive)) {
      strays << name;
    } else if (name.endsWith(previous, Qt::CaseInsensitive)) {
      const QString inUse = data.filePath(name.chopped(previous.size()));
      if (!QFileInfo::exists(inUse)) missing << inUse;
    }
  }
  if (strays.isEmpty() && missing.isEmpty()) return;
  ImportLock lock(folder);
  if (!lock.TryLock()) return;
  for (const QString &name : strays) QFile::remove(data.filePath(name));
  for (const QString &inUse : missing) {
    const QString built = inUse + QStringLiteral(".new");
    const QString rescue = IsSoundEdition(built, password) ? built : PreviousEditionPath(inUse);
    if (IsSoundEdition(rescue, password)) RenameOver(rescue, inUse);
  }
}

ImportLock::ImportLock(const QString &folder) : lock_(std::make_unique<QLockFile>(QDir(folder).filePath(kLockName))) {
  // Held for as long as an import runs. A holder that is gone frees it; one
  // on another host (a home shared over the network) cannot be asked, and
  // its lock is stale once older than any import.
  lock_->setStaleLockTime(kStaleImportLock);
}

bool ImportLock::TryLock() { return lock_->tryLock(0); }

void ImportLock::Unlock() { lock_->unlock(); }

void SetSwapStepHook(std::function<void(const QString &)> hook) { StepHook() = std::move(hook); }

}  // namespace velmora::editions
