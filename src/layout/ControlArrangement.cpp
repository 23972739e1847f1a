#include "ControlArrangement.h"

#include <cmath>

namespace velmora {

namespace {

std::optional<double> NonNegative(double value) { return value >= 0 ? std::optional<double>(value) : std::nullopt; }

}  // namespace

Arrangement ArrangeControls(const ArrangeInput &in) {
  Arrangement out;
  out.footerImageWidth = NonNegative(in.footerWidth);
  out.bannerImageWidth = NonNegative(in.bannerWidth);
  out.headerImageWidth = NonNegative(in.detailWidth);
  out.quizWidth = NonNegative(in.detailWidth);
  out.barImageHeight = NonNegative(in.barHeight);
  out.stripImageHeight = NonNegative(in.detailHeight);
  out.quizHeight = NonNegative(in.detailHeight - in.headerHeight);
  if (in.listPaneHeight > 465) {
    out.treeHeight = in.listPaneHeight - 465;
    out.listHeight = NonNegative(in.listPaneHeight - 865);
  }
  const double b = in.squareButton;
  if (in.bannerWidth - 4 * b - 60 > 0) {
    out.aboutLeft = in.bannerWidth - b - 60;
    out.helpLeft = in.bannerWidth - 2 * b - 60;
    out.settingLeft = in.bannerWidth - 3 * b - 60;
    out.command1Left = in.bannerWidth - 4 * b - 60;
  }
  if (in.detailWidth > 230) out.detailedWidth = in.detailWidth - 230;
  if (in.detailWidth > 640) out.fieldWidth = std::nearbyint(in.detailWidth - 640);
  if (in.detailHeight > 435) out.detailedHeight = in.detailHeight - 435;
  return out;
}

NicknamePlacement PlaceNickname(double nameLeft, double nameWidth, double buttonLeft) {
  const double left = nameLeft + nameWidth;
  return {left, NonNegative(buttonLeft - left)};
}

}  // namespace velmora
