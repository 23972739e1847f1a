#pragma once
#include <QString>

namespace velmora {

// The number at the start of the text, as a reader of hand-typed settings
// expects: blanks skipped, an optional sign, digits with an optional
// fraction; 0 when the text starts with no number.
double LeadingNumber(const QString &text);

}  // namespace velmora
