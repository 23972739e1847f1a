#include "RwIni.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

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

IniDocument LoadDocument(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return IniDocument::FromBytes({});
  return IniDocument::FromBytes(file.readAll());
}

// Read-only by the permission bits (as root, writes would succeed anyway):
// the file's own, or its folder's when the file is to be replaced.
bool IsReadOnly(const QFileInfo &info) {
  if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) return true;
  const QFileInfo folder(info.absolutePath());
  return folder.exists() && !(folder.permissions() & QFileDevice::WriteOwner);
}

// Writes aside and renames over the file, so that the file on disk is always
// either the old one or the new one, whole.
bool ReplaceFile(const QString &path, const QByteArray &bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

void SetIniFile(const QString &path) { CurrentFile() = path.trimmed(); }

QString CurrentIniFile() { return CurrentFile(); }

bool NoIniFile() {
  const bool none = CurrentFile().isEmpty();
  LastError() = none ? kNoIniFileError : QString();
  return none;
}

QString ReadIni(const QString &section, const QString &key, int size) {
  if (NoIniFile() || size <= 1) return {};
  const IniDocument doc = LoadDocument(ResolvePath(CurrentFile()));
  return doc.Value(section, key, size - 1);
}

bool WriteIni(const QString &section, const QString &key, const QString &value) {
  if (NoIniFile()) return false;
  const QString path = ResolvePath(CurrentFile());
  const QFileInfo info(path);
  bool written = false;
  if (!IsReadOnly(info) && !info.isDir()) {
    // Another running copy may write the same file: one read-change-replace
    // at a time, so that neither loses the other's values.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    const bool locked = lock.tryLock(2000);
    IniDocument doc = LoadDocument(path);
    doc.SetValue(section, key, value);
    written = ReplaceFile(path, doc.ToBytes());
    if (locked) lock.unlock();
  }
  if (!written) LastError() = kWriteFailureError;
  return written;
}

void WriteIniTo(const QString &file, const QString &section, const QString &key,
                const QString &value) {
  SetIniFile(file);
  (void)WriteIni(section, key, value);
}

QString IniError() { return LastError(); }

}  // namespace velmora
