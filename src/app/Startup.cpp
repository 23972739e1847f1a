#include "Startup.h"

#include <QLocale>

#include "editions/EditionSwap.h"

#include "config/FileHelpers.h"
#include "config/InstallLayout.h"
#include "config/LocaleLanguage.h"
#include "config/ProgramValues.h"
#include "config/RwIni.h"
#include "config/StartupTrace.h"
#include "config/TextNumbers.h"
#include "data/Conn.h"
#include "data/ConnString.h"
#include "lang/Messages.h"
#include "platform/MessageBoxes.h"
#include "platform/QtTranslations.h"

namespace velmora {

namespace {

MessageAnswer Tell(const QString &text, MessageButtons buttons, MessageIcon icon) {
  return ShowMessageBox({text, kProgramTitle, buttons, icon});
}

void SettleLanguage(const QString &configFile) {
  LangName() = ReadIniFrom(configFile, QStringLiteral("language"), QStringLiteral("language"), 100);
  if (LangName() == QLatin1String("default") || LangName().isEmpty()) {
    LangName() = QStringLiteral("default");
    return;
  }
  if (!SettingsFileReadable(LanguageFilePath())) {
    Tell(kLanguageLostText, MessageButtons::Ok, MessageIcon::None);
    LangName() = QStringLiteral("default");
  }
}

}  // namespace

bool Main(const QString &executableFolder, const StartupWindows &windows) {
  LangName() = QStringLiteral("default");
  InstallPath() = WithTrailingSlash(executableFolder);

  // An import or restore killed half-way is finished before any check.
  for (const QString &folder : {InstallPath() + QStringLiteral("Data"), UserDataFolder() + QStringLiteral("Data")})
    editions::RecoverInterruptedSwap(folder, kDatabasePassword);

  if (SettingsFileReadable(ConfigFilePath())) AdoptLocaleLanguage(QLocale::system().name());

  const QString configFile = ConfigFilePath();
  if (!SettingsFileReadable(configFile)) {
    Tell(kConfigLostText, MessageButtons::Ok, MessageIcon::Critical);
    return false;
  }
  SettleLanguage(configFile);
  UseQtTranslationsFor(LangName());

  const QString dataFile =
      DataFilePath(ReadIniFrom(configFile, QStringLiteral("language"), QStringLiteral("DataLanguage"), 100));
  if (LeadingNumber(ReadIniFrom(configFile, QStringLiteral("system"), QStringLiteral("OpenSystem"), 100)) < 1 &&
      windows.showWelcome)
    windows.showWelcome();

  if (dataFile.isEmpty() || !FileExists(dataFile)) {
    Tell(kDataLostText, MessageButtons::Ok, MessageIcon::Critical);
    return false;
  }
  ConnString() = BuildConnString(dataFile);
  // The key derivation runs while the window's controls are made; the
  // window is shown only once the dictionary proved open.
  StartOpeningDatabase();
  if (windows.makeMainWindow) windows.makeMainWindow();

  if (DbOpen()) {
    if (windows.showMainWindow) windows.showMainWindow();
    return true;
  }
  if (Tell(GetMessageText(kMsgDatabaseUnavailable), MessageButtons::OkCancel, MessageIcon::Exclamation) ==
      MessageAnswer::Ok)
    Tell(kLinkErrorText, MessageButtons::Ok, MessageIcon::None);
  return false;
}

bool OpenDictionaryQuietly(const QString &executableFolder) {
  LangName() = QStringLiteral("default");
  InstallPath() = WithTrailingSlash(executableFolder);
  const QString configFile = ConfigFilePath();
  if (!SettingsFileReadable(configFile)) return false;
  const QString dataFile =
      DataFilePath(ReadIniFrom(configFile, QStringLiteral("language"), QStringLiteral("DataLanguage"), 100));
  if (dataFile.isEmpty() || !FileExists(dataFile)) return false;
  ConnString() = BuildConnString(dataFile);
  StartOpeningDatabase();
  return DbOpen();
}

}  // namespace velmora
