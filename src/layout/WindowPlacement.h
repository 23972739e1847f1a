#pragma once
// Where a remembered window may open again. Screens come and go between
// runs (a laptop leaves its second monitor behind), so a saved place is
// only used on a screen that is present now.
#include <QRect>
#include <optional>
#include <vector>

namespace velmora {

// The saved rectangle moved and shrunk as little as needed to lie wholly on
// the available screen it overlaps most; nothing when it overlaps none, or
// too little of it to be the window the user left there.
std::optional<QRect> PlacementOnScreens(const QRect &saved, const std::vector<QRect> &screens);
// Where the window opens when nothing is remembered: centred on the
// screen, in the design's proportions, about two thirds of its height, and
// never smaller than the design (unless the screen is).
QRect FirstStartGeometry(const QSize &design, const QRect &screen);

}  // namespace velmora
