#include "FileHelpers.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

QString MatchInFolder(const QString &folder, const QString &name) {
  if (QFileInfo::exists(folder + name)) return name;
  const QStringList entries = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString &entry : entries)
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
  return name;
}

}  // namespace

QString ResolvePath(const QString &path) {
  if (path.isEmpty() || QFileInfo::exists(path)) return path;
  const bool absolute = path.startsWith(QLatin1Char('/'));
  const QStringList parts = path.split(QLatin1Char('/'), Qt::KeepEmptyParts);
  QString resolved = absolute ? QStringLiteral("/") : QString();
  for (int i = absolute ? 1 : 0; i < parts.size(); ++i) {
    const QString &part = parts[i];
    const bool last = i == parts.size() - 1;
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
      resolved += part;
    } else {
      resolved += MatchInFolder(resolved, part);
    }
    if (!last) resolved += QLatin1Char('/');
  }
  return resolved;
}

bool FileExists(const QString &path) {
  if (path.isEmpty() || path.contains(QChar(0))) return false;
  const QFileInfo info(ResolvePath(path));
  return info.exists() && info.isFile() && !info.fileName().startsWith(QLatin1Char('.'));
}

QString FileNameOfPath(const QString &path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? path : path.mid(slash + 1);
}

QString NodeKey(const QString &value) { return QStringLiteral("M") + value; }

}  // namespace velmora
