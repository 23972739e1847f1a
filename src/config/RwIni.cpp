#include "RwIni.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <chrono>
#include <map>
#include <memory>

#include "FileHelpers.h"
#include "IniDocument.h"

namespace velmora {

namespace {

QString &CurrentFile() {
  static QString file;
  return file;
}

QString &LastError() {
  static QString error;
  return error;
}

// What tells one version of a file from another.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{}, changed{};
  bool operator==(const FileStamp &o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
           changed.tv_nsec == o.changed.tv_nsec;
  }
};

// Parsed files by path. The windows look up one caption per control, so a
// language file is parsed once per change instead of once per control. File
// times tick more coarsely than writes can follow each other, so a file
// changed in the last two seconds is always read afresh.
struct CachedDocument {
  FileStamp stamp;
  std::shared_ptr<const IniDocument> document;
};
std::map<QString, CachedDocument> &Cache() {
  static std::map<QString, CachedDocument> cache;
  return cache;
}
constexpr auto kSettledAfter = std::chrono::seconds(2);

bool RecentlyChanged(const FileStamp &stamp) {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto changed = std::chrono::seconds(stamp.changed.tv_sec) + std::chrono::nanoseconds(stamp.changed.tv_nsec);
  return now - changed < kSettledAfter;
}

IniDocument ReadDocument(const QString &path, const QFileInfo &info) {
  if (!info.isFile() || info.size() > kLargestSettingsFile) return IniDocument::FromBytes({});
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return IniDocument::FromBytes({});
  // Read to the end, no further than the cap, also when the file was
  // replaced or grew since it was looked at. In pieces: one read of the cap
  // would reserve megabytes for a file of a few kilobytes.
  constexpr qint64 kPiece = 64 * 1024;
  QByteArray bytes;
  while (bytes.size() <= kLargestSettingsFile) {
    const QByteArray piece = file.read(kPiece);
    if (piece.isEmpty()) break;
    bytes += piece;
  }
  bytes.truncate(kLargestSettingsFile);
  // The document is kept: without the room of the last piece read.
  bytes.squeeze();
  return IniDocument::FromBytes(bytes);
}

std::shared_ptr<const IniDocument> LoadDocument(const QString &path) {
  const QFileInfo info(path);
  struct stat status {};
  if (!info.isFile() || ::stat(QFile::encodeName(path).constData(), &status) != 0) {
    Cache().erase(path);
    return std::make_shared<const IniDocument>(IniDocument::FromBytes({}));
  }
  const FileStamp stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
  const auto cached = Cache().find(path);
  if (cached != Cache().end() && cached->second.stamp == stamp && !RecentlyChanged(stamp))
    return cached->second.document;
  auto document = std::make_shared<const IniDocument>(ReadDocument(path, info));
  if (RecentlyChanged(stamp))
    Cache().erase(path);
  else
    Cache()[path] = {stamp, document};
  return document;
}

bool FolderWritable(const QString &folder) {
  const QFileInfo info(folder);
  return info.isDir() && (info.permissions() & QFileDevice::WriteOwner);
}

// Writes go only to a regular file (through a link to one, which stays) or
// to a new file in a writable folder. Read-only by the permission bits (as
// root, writes would succeed anyway).
bool MayWrite(const QFileInfo &info) {
  if (info.exists()) return info.isFile() && (info.permissions() & QFileDevice::WriteOwner);
  return !info.isSymLink() && FolderWritable(info.absolutePath());
}

// Writes aside and renames over the file, so that the file on disk is always
// either the old one or the new one, whole. In a folder that cannot take the
// file written aside, a writable file is written in place.
bool ReplaceFile(const QString &path, const QByteArray &bytes) {
  QSaveFile file(path);
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteValues(const std::vector<IniValue> &values) {
  if (NoIniFile()) return false;
  const QString path = ResolvePath(CurrentFile());
  const QFileInfo info(path);
  bool written = false;
  if (MayWrite(info)) {
    // Another running copy may write the same file: one read-change-replace
    // at a time, so that neither loses the other's values.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    const bool locked = FolderWritable(info.absolutePath()) && lock.tryLock(2000);
    Cache().erase(path);
    IniDocument doc = ReadDocument(path, info);
    for (const IniValue &value : values) doc.SetValue(value.section, value.key, value.value);
    written = ReplaceFile(path, doc.ToBytes());
    Cache().erase(path);
    if (locked) lock.unlock();
  }
  if (!written) LastError() = kWriteFailureError;
  return written;
}

}  // namespace

void SetIniFile(const QString &path) {
  // Blanks only: a tab is part of the name, as the profile functions see it.
  qsizetype begin = 0, end = path.size();
  while (begin < end && path[begin] == QLatin1Char(' ')) ++begin;
  while (end > begin && path[end - 1] == QLatin1Char(' ')) --end;
  CurrentFile() = path.mid(begin, end - begin);
}

QString CurrentIniFile() { return CurrentFile(); }

bool NoIniFile() {
  const bool none = CurrentFile().isEmpty();
  LastError() = none ? kNoIniFileError : QString();
  return none;
}

QString ReadIni(const QString &section, const QString &key, int size) {
  if (NoIniFile() || size <= 1) return {};
  return LoadDocument(ResolvePath(CurrentFile()))->Value(section, key, size - 1);
}

QString ReadIniFrom(const QString &file, const QString &section, const QString &key, int size) {
  if (file.trimmed().isEmpty() || size <= 1) return {};
  return LoadDocument(ResolvePath(file.trimmed()))->Value(section, key, size - 1);
}

bool WriteIni(const QString &section, const QString &key, const QString &value) {
  return WriteValues({{section, key, value}});
}

void WriteIniTo(const QString &file, const QString &section, const QString &key, const QString &value) {
  SetIniFile(file);
  (void)WriteIni(section, key, value);
}

bool WriteIniValues(const QString &file, const std::vector<IniValue> &values) {
  SetIniFile(file);
  return WriteValues(values);
}

QString IniError() { return LastError(); }

bool SettingsFileReadable(const QString &path) {
  return FileExists(path) && QFileInfo(ResolvePath(path)).size() <= kLargestSettingsFile;
}

}  // namespace velmora
