#include "PaneGrid.h"

#include <algorithm>

namespace velmora {

namespace {

struct Placement {
  int firstRow, lastRow, firstColumn, lastColumn;
  QRectF design;
};

const std::array<Placement, kPaneCount> kPlacements = {{
    {0, 0, 0, 4, QRectF(2, 2, 8186, 883)},        // Picture1, banner
    {1, 1, 0, 1, QRectF(2, 885, 463, 3975)},      // Picture4, button bar
    {1, 1, 2, 2, QRectF(465, 885, 2400, 3975)},   // picMList, list pane
    {1, 1, 3, 4, QRectF(2865, 885, 5323, 3975)},  // Picture6, detail pane
    {2, 2, 1, 3, QRectF(120, 4860, 7920, 703)},   // Picture3, footer
    {2, 2, 0, 0, QRectF(0, 4860, 150, 780)},      // Image1, corner
    {2, 2, 4, 4, QRectF(8040, 4860, 150, 780)},   // Image3, corner
}};

std::array<double, 6> ColumnEdges(double width) {
  const double growing = std::max(0.0, width - kFixedWidthTwips);
  const double listGrowth = ListPaneGrowth(width);
  const std::array<double, 5> tracks = {120, 345, 2398 + listGrowth, growing - listGrowth, 150};
  std::array<double, 6> edges{};
  for (size_t i = 0; i < tracks.size(); ++i) edges[i + 1] = edges[i] + tracks[i];
  return edges;
}

std::array<double, 4> RowEdges(double height) {
  const double growing = std::max(0.0, height - kFixedHeightTwips);
  return {0, 885, 885 + growing, 885 + growing + 705};
}

QRectF CellSpan(const Placement &p, const std::array<double, 6> &columns, const std::array<double, 4> &rows) {
  return QRectF(QPointF(columns[p.firstColumn], rows[p.firstRow]),
                QPointF(columns[p.lastColumn + 1], rows[p.lastRow + 1]));
}

}  // namespace

double ListPaneGrowth(double clientWidth) {
  constexpr double kDesignListTrack = 2398;
  const double extra = std::max(0.0, clientWidth - kDesignClientTwips.width());
  return std::clamp(std::min(extra / 3, clientWidth / 3 - kDesignListTrack), 0.0, extra);
}

QRectF DesignRect(Pane pane) { return kPlacements[static_cast<size_t>(pane)].design; }

std::array<QRectF, kPaneCount> PaneRects(const QSizeF &client) {
  const auto designColumns = ColumnEdges(kDesignClientTwips.width());
  const auto designRows = RowEdges(kDesignClientTwips.height());
  const auto columns = ColumnEdges(client.width());
  const auto rows = RowEdges(client.height());
  std::array<QRectF, kPaneCount> rects;
  for (size_t i = 0; i < kPlacements.size(); ++i) {
    const Placement &p = kPlacements[i];
    const QRectF designCells = CellSpan(p, designColumns, designRows);
    const QRectF cells = CellSpan(p, columns, rows);
    // The same distance from each edge of the cells as in the design.
    rects[i] = QRectF(QPointF(cells.left() + (p.design.left() - designCells.left()),
                              cells.top() + (p.design.top() - designCells.top())),
                      QPointF(cells.right() + (p.design.right() - designCells.right()),
                              cells.bottom() + (p.design.bottom() - designCells.bottom())));
  }
  return rects;
}

}  // namespace velmora
