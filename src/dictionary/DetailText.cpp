#include "DetailText.h"

#include <QStringList>

namespace velmora {

QString ComposeDetailText(const DetailParts &p) {
  const QString colon = QStringLiteral("：");
  return QStringList{p.idiom,
                     p.spell,
                     QString(),
                     p.explainHeading + colon + p.explain,
                     QString(),
                     p.derivationHeading + colon + p.derivation,
                     QString(),
                     p.exampleHeading + colon + p.example}
      .join(QStringLiteral("\r\n"));
}

}  // namespace velmora
