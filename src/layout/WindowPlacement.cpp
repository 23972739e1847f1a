#include "WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Less than this much of the window on any screen: it was left on a screen
// that is gone, and the remainder is a sliver at an edge.
constexpr int kLeastVisibleSide = 48;

long long Area(const QRect &rect) { return rect.isEmpty() ? 0 : static_cast<long long>(rect.width()) * rect.height(); }

}  // namespace

std::optional<QRect> PlacementOnScreens(const QRect &saved, const std::vector<QRect> &screens) {
  if (!saved.isValid()) return std::nullopt;
  const QRect *best = nullptr;
  for (const QRect &screen : screens)
    if (best == nullptr || Area(screen & saved) > Area(*best & saved)) best = &screen;
  if (best == nullptr) return std::nullopt;
  const QRect shared = *best & saved;
  if (shared.width() < kLeastVisibleSide || shared.height() < kLeastVisibleSide) return std::nullopt;
  QRect placed(saved.topLeft(), saved.size().boundedTo(best->size()));
  placed.moveLeft(std::clamp(placed.left(), best->left(), best->right() - placed.width() + 1));
  placed.moveTop(std::clamp(placed.top(), best->top(), best->bottom() - placed.height() + 1));
  return placed;
}

QRect FirstStartGeometry(const QSize &design, const QRect &screen) {
  if (design.isEmpty() || screen.isEmpty()) return QRect(screen.topLeft(), design);
  const double aspect = static_cast<double>(design.width()) / design.height();
  int height = std::max(design.height(), screen.height() * 2 / 3);
  int width = static_cast<int>(std::lround(height * aspect));
  if (width > screen.width()) {
    width = std::max(std::min(design.width(), screen.width()), screen.width() * 9 / 10);
    height = static_cast<int>(std::lround(width / aspect));
  }
  const QSize size(std::min(width, screen.width()), std::min(height, screen.height()));
  return QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

}  // namespace velmora
