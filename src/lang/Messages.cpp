#include "Messages.h"

#include "startup/ProgramValues.h"
#include "startup/RwIni.h"

namespace velmora {

QString LanguageFilePath() {
  return InstallPath() + QStringLiteral("lang/") + LangName() + QStringLiteral(".lng");
}

QString GetMessageText(const QString &number) {
  SetIniFile(LanguageFilePath());
  QString text = ReadIni(QStringLiteral("Message"), number, 400);
  if (text.isEmpty()) {
    SetIniFile(LanguageFilePath());
    text = ReadIni(QStringLiteral("Message"), QStringLiteral("Err"), 400);
  }
  return text;
}

}  // namespace velmora
