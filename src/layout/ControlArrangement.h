#pragma once
// What the main window does after its panes have their new sizes: stretch
// the backgrounds and the detail fields, fit the tree and the list to the
// list pane, keep the four square banner buttons flush right, and place the
// nickname label. Pure arithmetic in twips; each value is set only when its
// condition holds (strict comparisons), and a negative size is never set.
#include <optional>

namespace velmora {

struct ArrangeInput {
  double bannerWidth;     // Picture1
  double footerWidth;     // Picture3
  double barHeight;       // Picture4
  double listPaneHeight;  // picMList
  double detailWidth;     // Picture6
  double detailHeight;
  double headerHeight;  // Image10
  double squareButton;  // cmdAbout's width, B
};

struct Arrangement {
  std::optional<double> footerImageWidth, bannerImageWidth, headerImageWidth;
  std::optional<double> quizWidth, quizHeight;
  std::optional<double> barImageHeight, stripImageHeight;
  std::optional<double> treeHeight, listHeight;
  std::optional<double> aboutLeft, helpLeft, settingLeft, command1Left;
  std::optional<double> detailedWidth, detailedHeight;
  std::optional<double> fieldWidth;  // txtIdiom, txtExplain, txtDerivation, txtExample
};

Arrangement ArrangeControls(const ArrangeInput &in);

struct NicknamePlacement {
  double left;
  std::optional<double> width;  // nothing when it would be negative
};
// The nickname label starts where the name label ends and reaches up to the
// nickname button.
NicknamePlacement PlaceNickname(double nameLeft, double nameWidth, double buttonLeft);

}  // namespace velmora
