#include "FontSize.h"

#include <cmath>

namespace velmora {

namespace {

constexpr int kLargestFontSize = 1638;

}  // namespace

std::optional<int> FontSizeFromText(const QString &text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);
  if (rounded < 1 || rounded > kLargestFontSize) return std::nullopt;
  return static_cast<int>(rounded);
}

}  // namespace velmora
