#include "Messages.h"

#include "config/InstallLayout.h"
#include "config/RwIni.h"

namespace velmora {

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
