#include "SelectionLookup.h"

#include <algorithm>

namespace velmora {

bool SelectionLookup::Wanted(const QString &selected) {
  const QString text = selected.trimmed();
  if (text.isEmpty() || text.size() > kLongestSelection || text == last_) return false;
  const bool chinese = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.script() == QChar::Script_Han; });
  if (!chinese) return false;
  last_ = text;
  return true;
}

}  // namespace velmora
