#include "InstallLayout.h"

#include "ProgramValues.h"

namespace velmora {

QString ConfigFilePath() { return InstallPath() + QStringLiteral("config.dll"); }

QString DataFileName(const QString &dataLanguage) {
  if (dataLanguage == QLatin1String("GB")) return QStringLiteral("Velmdict_cn.dat");
  if (dataLanguage == QLatin1String("BIG5")) return QStringLiteral("Velmdict_big5.dat");
  return {};
}

QString DataFilePath(const QString &dataLanguage) {
  const QString name = DataFileName(dataLanguage);
  return name.isEmpty() ? QString() : InstallPath() + QStringLiteral("Data/") + name;
}

QString LanguageFilePath(const QString &name) {
  return InstallPath() + QStringLiteral("Lang/") + name + QStringLiteral(".lng");
}

QString LanguageFilePath() { return LanguageFilePath(LangName()); }

QString VideoPath(const QString &idiom) {
  return InstallPath() + QStringLiteral("Video/") + idiom + QStringLiteral(".rm");
}

QString HelpPagePath() { return InstallPath() + QStringLiteral("help/index.html"); }

QString FacesFolder() { return InstallPath() + QStringLiteral("Faces/"); }

}  // namespace velmora
