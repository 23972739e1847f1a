#include "WindowPlacement.h"

#include <algorithm>

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

}  // namespace velmora
