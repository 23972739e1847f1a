#include "TextNumbers.h"

#include <QRegularExpression>

namespace velmora {

double LeadingNumber(const QString &text) {
  static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
  const QRegularExpressionMatch match = number.match(text);
  if (!match.hasMatch()) return 0;
  bool ok = false;
  const double value = match.captured(1).toDouble(&ok);
  return ok ? value : 0;
}

}  // namespace velmora
