#include "InstallLayout.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
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

std::function<bool(const QString &)> &WritableCheck() {
  static std::function<bool(const QString &)> check;
  return check;
}

// Whether the user may write the file, or create it in its folder. Asked
// of the system (access), which also says no on a read-only file system.
bool UserMayWrite(const QString &path) {
  if (WritableCheck()) return WritableCheck()(path);
  // "folder/" names the folder itself.
  const QString name = path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
  const QFileInfo file(name);
  const QString asked = file.exists() ? name : file.absolutePath();
  return ::access(QFile::encodeName(asked).constData(), W_OK) == 0;
}

// The package installs this file beside the program, so that every user of
// it (root too) keeps their settings in their own home.
const QString kSystemInstallationMarker = QStringLiteral("system-installation");

// The XDG rules make a relative XDG_*_HOME invalid, to be ignored; Qt's
// standard paths would take it and write under the working folder.
void IgnoreRelativeXdgHomes() {
  for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
    const QByteArray value = qgetenv(name);
    if (!value.isEmpty() && !value.startsWith('/')) qunsetenv(name);
  }
}

}  // namespace

QString InstalledConfigFilePath() { return InstallPath() + QStringLiteral("config.dll"); }

QString UserConfigFilePath() { return UserConfigFolder() + QStringLiteral("config.dll"); }

bool UsesUserFolders() {
  if (QFileInfo::exists(InstallPath() + kSystemInstallationMarker)) return true;
  const QString installed = InstalledConfigFilePath();
  return !UserMayWrite(InstallPath()) || (QFileInfo::exists(installed) && !UserMayWrite(installed));
}

QString ConfigFilePath() {
  const QString user = UserConfigFilePath();
  return UsesUserFolders() && QFileInfo::exists(user) ? user : InstalledConfigFilePath();
}

QString ConfigFileForWriting() {
  const QString user = UserConfigFilePath(), installed = InstalledConfigFilePath();
  if (!UsesUserFolders()) return installed;
  if (QFileInfo::exists(user)) return user;
  QDir().mkpath(UserConfigFolder());
  if (QFileInfo::exists(installed)) QFile::copy(installed, user);
  // A copy keeps the installed file's read-only mode; the user's own is theirs to write.
  QFile::setPermissions(user, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  return user;
}

void SetWritableCheck(std::function<bool(const QString &)> check) { WritableCheck() = std::move(check); }

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
  return !user.isEmpty() && UsesUserFolders() && QFileInfo(user).isFile() ? user : InstalledDataFilePath(dataLanguage);
}

QString DataFileTarget(const QString &dataLanguage) {
  return UsesUserFolders() ? UserDataFilePath(dataLanguage) : InstalledDataFilePath(dataLanguage);
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

QString FacesFolder() {
  const QString installed = InstallPath() + QStringLiteral("Faces/");
  if (!UsesUserFolders()) return installed;
  const QString user = UserDataFolder() + QStringLiteral("Faces/");
  QDir().mkpath(user);
  return user;
}

QString UserConfigFolder() {
  IgnoreRelativeXdgHomes();
  return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString UserDataFolder() {
  IgnoreRelativeXdgHomes();
  return WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString UserStorePath() { return UserDataFolder() + QStringLiteral("velmora.db"); }

QString WindowStatePath() { return UserConfigFolder() + QStringLiteral("window.ini"); }

}  // namespace velmora
