#pragma once
#include <QString>
#include <optional>

namespace velmora {

// The whole number of points a language file's "SIZE" names (a fraction is
// rounded, a half to the even neighbour); nothing when it is empty, not a
// number, or no size a window can show.
std::optional<int> FontSizeFromText(const QString &text);

}  // namespace velmora
