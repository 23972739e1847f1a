#pragma once
// The main window's five panes in a grid of three rows and five columns.
// Every track keeps its size but the middle row and the fourth column,
// which take up every change of the window's height and width; wider than
// designed, the list's column takes a third of the extra width (the list
// pane at most a third of the window), so that larger idioms stay whole. Each pane
// fills the cells it spans, less the small margins it was designed with.
// All values in twips.
#include <QRectF>
#include <QSizeF>
#include <algorithm>
#include <array>

namespace velmora {

enum class Pane { Banner, ButtonBar, ListPane, DetailPane, Footer, LeftCorner, RightCorner };
inline constexpr int kPaneCount = 7;

// The client size the window was designed for.
inline constexpr QSizeF kDesignClientTwips(8190, 5565);
// The fixed tracks: 120 + 345 + 2398 + 150 wide, 885 + 705 high.
inline constexpr double kFixedWidthTwips = 3013;
inline constexpr double kFixedHeightTwips = 1590;
// The banner's four square buttons stand flush right (855 wide each, 60
// from the edge); narrower than this, they would cover the nickname button,
// which ends at 4155, and the links below it.
inline constexpr double kBannerClearWidthTwips = 4155 + 60 + 4 * 855 + 60;
// Below this the panes would overlap or the banner's buttons cover its
// links: the window keeps at least this much room.
inline constexpr QSizeF kMinimumClientTwips(std::max(kFixedWidthTwips + 1500, kBannerClearWidthTwips),
                                            kFixedHeightTwips + 1500);

// The panes' rectangles for a client area of the given size.
std::array<QRectF, kPaneCount> PaneRects(const QSizeF &client);
// How much wider than designed the list's column is at a client width.
double ListPaneGrowth(double clientWidth);
// The rectangle each pane was designed at.
QRectF DesignRect(Pane pane);

}  // namespace velmora
