#include "Captions.h"

#include "config/InstallLayout.h"
#include "config/RwIni.h"

namespace velmora {

QString CaptionOr(const char *key, const char *builtIn) {
  const QString text = ReadIniFrom(LanguageFilePath(), QStringLiteral("Caption"), QLatin1String(key), 300);
  return text.isEmpty() ? QString::fromUtf8(builtIn) : text;
}

}  // namespace velmora
