#include "TextNumbers.h"

namespace velmora {

// Read by hand rather than by a regular expression: it is read at every
// start, and the expression engine is half a megabyte to load for it.
double LeadingNumber(const QString &text) {
  qsizetype at = 0;
  while (at < text.size() && text.at(at).isSpace()) ++at;
  const qsizetype start = at;
  if (at < text.size() && (text.at(at) == u'+' || text.at(at) == u'-')) ++at;
  const auto digits = [&] {
    const qsizetype from = at;
    while (at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9') ++at;
    return at - from;
  };
  const qsizetype whole = digits();
  qsizetype fraction = 0;
  if (at < text.size() && text.at(at) == u'.') {
    ++at;
    fraction = digits();
  }
  if (whole == 0 && fraction == 0) return 0;
  bool ok = false;
  const double value = text.mid(start, at - start).toDouble(&ok);
  return ok ? value : 0;
}

}  // namespace velmora
