#include "InstallLayout.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "ProgramValues.h"

namespace velmora {

namespace {

// A name taken from data or configuration names a file in its folder and
// never leaves it: one with a path separator in it names nothing.
bool IsPlainName(const QString &name) {
  return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

}  // namespace

QString ConfigFilePath() { return InstallPath() + QStringLiteral("config.dll"); }

QString DataFileName(const QString &dataLanguage) {
  if (dataLanguage == QLatin1String("GB")) return QStringLiteral("Velmdict_cn.dat");
  if (dataLanguage == QLatin1String("BIG5")) return QStringLiteral("Velmdict_big5.dat");
  return {};
}

QString InstalledDataFilePath(const QString &dataLanguage) {
  const QString name = DataFileName(dataLanguage);
  return name.isEmpty() ? QString() : InstallPath() + QStringLiteral("Data/") + name;
}

QString UserDataFilePath(const QString &dataLanguage) {
  const QString name = DataFileName(dataLanguage);
  return name.isEmpty() ? QString() : UserDataFolder() + QStringLiteral("Data/") + name;
}

QString DataFilePath(const QString &dataLanguage) {
  const QString user = UserDataFilePath(dataLanguage);
  return !user.isEmpty() && QFileInfo(user).isFile() ? user : InstalledDataFilePath(dataLanguage);
}

QString DataFileTarget(const QString &dataLanguage) {
  const QString installed = InstalledDataFilePath(dataLanguage);
  const QFileInfo folder(QFileInfo(installed).absolutePath());
  // Once the user has editions of their own, new ones go beside them.
  const bool userCopies = QFileInfo(UserDataFilePath(dataLanguage)).isFile();
  return !userCopies && folder.isDir() && folder.isWritable() ? installed : UserDataFilePath(dataLanguage);
}

QString LanguageFilePath(const QString &name) {
  if (!IsPlainName(name)) return {};
  return InstallPath() + QStringLiteral("Lang/") + name + QStringLiteral(".lng");
}

QString LanguageFilePath() { return LanguageFilePath(LangName()); }

QString VideoPath(const QString &idiom) {
  if (!IsPlainName(idiom)) return {};
  return InstallPath() + QStringLiteral("Video/") + idiom + QStringLiteral(".rm");
}

QString HelpPagePath() { return InstallPath() + QStringLiteral("help/index.html"); }

QString FacesFolder() { return InstallPath() + QStringLiteral("Faces/"); }

QString UserConfigFolder() {
  return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString UserDataFolder() { return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)); }

QString UserStorePath() { return UserDataFolder() + QStringLiteral("velmora.db"); }

QString WindowStatePath() { return UserConfigFolder() + QStringLiteral("window.ini"); }

}  // namespace velmora
