#include "LocaleLanguage.h"

#include <QFileInfo>

#include "InstallLayout.h"
#include "RwIni.h"

namespace velmora {

QString LanguageOfLocale(const QString &localeName) {
  const QString name = localeName.section(QLatin1Char('.'), 0, 0).replace(QLatin1Char('-'), QLatin1Char('_'));
  if (name.compare(QLatin1String("zh_CN"), Qt::CaseInsensitive) == 0 ||
      name.compare(QLatin1String("zh_SG"), Qt::CaseInsensitive) == 0 ||
      name.compare(QLatin1String("zh_Hans"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("GB");
  for (const char *traditional : {"zh_TW", "zh_HK", "zh_MO", "zh_Hant"})
    if (name.compare(QLatin1String(traditional), Qt::CaseInsensitive) == 0) return QStringLiteral("BIG5");
  // Any other reader gets the readable English file, not the default one,
  // whose captions are the design's names.
  return QStringLiteral("EN");
}

bool AdoptLocaleLanguage(const QString &localeName) {
  const QString language = LanguageOfLocale(localeName);
  // Only before the user's copy exists: once there, it says what the user chose.
  if (language.isEmpty() || !UsesUserFolders() || ConfigFilePath() != InstalledConfigFilePath() ||
      !SettingsFileReadable(LanguageFilePath(language)))
    return false;
  const QString configured = ReadIniFrom(ConfigFilePath(), QStringLiteral("language"), QStringLiteral("language"), 100);
  if (configured.compare(QLatin1String("default"), Qt::CaseInsensitive) != 0) return false;
  std::vector<IniValue> values = {{QStringLiteral("language"), QStringLiteral("language"), language}};
  // The edition in the same script, when it is installed.
  if (QFileInfo(DataFilePath(language)).isFile())
    values.push_back({QStringLiteral("language"), QStringLiteral("DataLanguage"), language});
  return WriteIniValues(ConfigFileForWriting(), values);
}

}  // namespace velmora
