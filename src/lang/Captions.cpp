#include "Captions.h"

#include "config/InstallLayout.h"
#include "config/RwIni.h"

namespace velmora {

QString CaptionOr(const char *key, const char *builtIn) {
  const QString text = ReadIniFrom(LanguageFilePath(), QStringLiteral("Caption"), QLatin1String(key), 300);
  return text.isEmpty() ? QString::fromUtf8(builtIn) : text;
}

QString CountCaption(long long count, const char *oneKey, const char *one, const char *manyKey, const char *many) {
  const QString text = count == 1 ? CaptionOr(oneKey, one) : CaptionOr(manyKey, many);
  // A language may write the one without a number ("once").
  return text.contains(QLatin1String("%1")) ? text.arg(count) : text;
}

}  // namespace velmora
