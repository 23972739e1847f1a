#include "CaptionKeys.h"

namespace velmora {

QString KindPrefix(const QString &controlName) { return controlName.left(3).toUpper(); }

QString CaptionKey(const QString &controlName) { return controlName.mid(3).toUpper(); }

QString ChineseFace(const QString &language) {
  return language.compare(QLatin1String("BIG5"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Noto Sans CJK TC")
                                                                            : QStringLiteral("Noto Sans CJK SC");
}

}  // namespace velmora
