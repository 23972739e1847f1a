#include "CaptionKeys.h"

namespace velmora {

QString KindPrefix(const QString &controlName) { return controlName.left(3).toUpper(); }

QString CaptionKey(const QString &controlName) { return controlName.mid(3).toUpper(); }

QString WithoutMnemonic(const QString &caption) {
  QString plain;
  plain.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;  // "&x" -> "x", "&&" -> "&"
    plain += caption[i];
  }
  return plain;
}

QString ChineseFace(const QString &language) {
  return language.compare(QLatin1String("BIG5"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Noto Sans CJK TC")
                                                                           : QStringLiteral("Noto Sans CJK SC");
}

}  // namespace velmora
