#include "DetailText.h"

#include <QStringList>

namespace velmora {

QString ComposeDetailText(const DetailParts &p) {
  const QString colon = QStringLiteral("：");
  return QStringList{p.idiom,   p.spell,
                     QString(), p.explainHeading + colon + p.explain,
                     QString(), p.derivationHeading + colon + p.derivation,
                     QString(), p.exampleHeading + colon + p.example}
      .join(QStringLiteral("\r\n"));
}

QString BoundedText(const QString &text, qsizetype limit) {
  if (text.size() <= limit) return text;
  qsizetype cut = limit;
  if (cut > 0 && text[cut - 1].isHighSurrogate()) --cut;
  return text.left(cut) + QStringLiteral("…\n[%1 / %2]").arg(cut).arg(text.size());
}

}  // namespace velmora
