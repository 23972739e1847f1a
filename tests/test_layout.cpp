#include <gtest/gtest.h>

#include "TestInstall.h"
#include "layout/ControlArrangement.h"
#include "layout/DetailLayout.h"
#include "layout/PaneGrid.h"
#include "layout/WindowPlacement.h"

using namespace velmora;

namespace {

ArrangeInput AsBuilt() { return {8186, 7920, 3975, 3975, 5323, 3975, 390, 855}; }

}  // namespace

TEST(Arrangement, BannerButtonsStayFlushRight) {
  const Arrangement a = ArrangeControls(AsBuilt());
  EXPECT_EQ(a.aboutLeft, 7271);
  EXPECT_EQ(a.helpLeft, 6416);
  EXPECT_EQ(a.settingLeft, 5561);
  EXPECT_EQ(a.command1Left, 4706);
  ArrangeInput narrow = AsBuilt();
  narrow.bannerWidth = 4 * 855 + 60;
  EXPECT_FALSE(ArrangeControls(narrow).aboutLeft.has_value()) << "the comparison is strict";
  narrow.bannerWidth += 1;
  EXPECT_EQ(ArrangeControls(narrow).command1Left, 1);
}

TEST(Arrangement, TreeAndListFollowTheListPane) {
  ArrangeInput in = AsBuilt();
  in.listPaneHeight = 4000;
  EXPECT_EQ(ArrangeControls(in).treeHeight, 3535);
  EXPECT_EQ(ArrangeControls(in).listHeight, 3135);
  in.listPaneHeight = 465;
  EXPECT_FALSE(ArrangeControls(in).treeHeight.has_value());
  EXPECT_FALSE(ArrangeControls(in).listHeight.has_value());
  in.listPaneHeight = 600;
  EXPECT_EQ(ArrangeControls(in).treeHeight, 135);
  EXPECT_FALSE(ArrangeControls(in).listHeight.has_value()) << "a negative height is refused";
}

TEST(Arrangement, DetailFieldsAndQuizFollowTheDetailPane) {
  ArrangeInput in = AsBuilt();
  Arrangement a = ArrangeControls(in);
  EXPECT_EQ(a.fieldWidth, 4683);
  EXPECT_EQ(a.detailedWidth, 5093);
  EXPECT_EQ(a.detailedHeight, 3540);
  EXPECT_EQ(a.quizWidth, 5323);
  EXPECT_EQ(a.quizHeight, 3585);
  EXPECT_EQ(a.footerImageWidth, 7920);
  EXPECT_EQ(a.bannerImageWidth, 8186);
  EXPECT_EQ(a.stripImageHeight, 3975);
  in.detailWidth = 640;
  in.detailHeight = 435;
  a = ArrangeControls(in);
  EXPECT_FALSE(a.fieldWidth.has_value());
  EXPECT_EQ(a.detailedWidth, 410);
  EXPECT_FALSE(a.detailedHeight.has_value());
  EXPECT_EQ(a.quizHeight, 45) << "the quiz always gets the pane less the header";
  in.detailWidth = 230;
  EXPECT_FALSE(ArrangeControls(in).detailedWidth.has_value());
}

TEST(Arrangement, NicknameReachesTheButtonOrKeepsItsWidth) {
  EXPECT_EQ(PlaceNickname(900, 600, 3960).left, 1500);
  EXPECT_EQ(PlaceNickname(900, 600, 3960).width, 2460);
  const NicknamePlacement longName = PlaceNickname(900, 4000, 3960);
  EXPECT_EQ(longName.left, 4900);
  EXPECT_FALSE(longName.width.has_value());
}

TEST(PaneGrid, DesignSizeGivesTheDesignAndGrowthGoesToTheMiddle) {
  const auto design = PaneRects(kDesignClientTwips);
  for (int i = 0; i < kPaneCount; ++i) EXPECT_EQ(design[i], DesignRect(static_cast<Pane>(i))) << i;
  const auto grown = PaneRects(QSizeF(kDesignClientTwips.width() + 1500, kDesignClientTwips.height() + 600));
  const auto at = [&](Pane p) { return grown[static_cast<size_t>(p)]; };
  EXPECT_EQ(at(Pane::Banner), QRectF(2, 2, 8186 + 1500, 883));
  EXPECT_EQ(at(Pane::ButtonBar), QRectF(2, 885, 463, 3975 + 600));
  EXPECT_EQ(at(Pane::ListPane), QRectF(465, 885, 2400 + 500, 3975 + 600)) << "a third of the extra width";
  EXPECT_EQ(at(Pane::DetailPane), QRectF(2865 + 500, 885, 5323 + 1000, 3975 + 600));
  // However wide, the list pane is at most a third of the window.
  for (const double wide : {12000.0, 40000.0})
    EXPECT_LE(PaneRects(QSizeF(wide, 6000))[static_cast<size_t>(Pane::ListPane)].width(), wide / 3 + 3) << wide;
  EXPECT_EQ(at(Pane::Footer), QRectF(120, 4860 + 600, 7920 + 1500, 703));
  EXPECT_EQ(at(Pane::RightCorner), QRectF(8040 + 1500, 4860 + 600, 150, 780));
}

TEST(WindowPlacement, ASavedPlaceIsUsedOnlyOnAScreenThatIsThere) {
  const std::vector<QRect> screens = {QRect(0, 0, 1920, 1050), QRect(1920, 0, 1280, 1000)};
  // Wholly on a screen: unchanged.
  EXPECT_EQ(PlacementOnScreens(QRect(100, 80, 700, 500), screens), QRect(100, 80, 700, 500));
  // Across the edge of the second screen: pulled onto it.
  EXPECT_EQ(PlacementOnScreens(QRect(2900, 900, 700, 500), screens), QRect(2500, 500, 700, 500));
  // Larger than the screen it is on: shrunk to fit.
  EXPECT_EQ(PlacementOnScreens(QRect(1920, 0, 1600, 1200), screens), QRect(1920, 0, 1280, 1000));
  // Left on a screen that is gone, or only a sliver on one: not used.
  EXPECT_FALSE(PlacementOnScreens(QRect(3500, 100, 700, 500), screens));
  EXPECT_FALSE(PlacementOnScreens(QRect(3180, 100, 700, 500), screens));
  EXPECT_FALSE(PlacementOnScreens(QRect(), screens));
  EXPECT_FALSE(PlacementOnScreens(QRect(0, 0, 700, 500), {}));
}

namespace {
// Noto Sans CJK at 9 points: 18-pixel lines, 21-pixel one-line boxes.
DetailMetrics NineInCjk(int paneHeight) { return {paneHeight, 265, 21, 21, 17, 18, 6}; }
}  // namespace

TEST(DetailLayout, AtTheDesignSizeEveryBoxHoldsTwoWholeLinesInsideThePane) {
  const DetailPlaces p = PlaceDetailBoxes(NineInCjk(265));
  EXPECT_EQ(p.idiom.top, kIdiomTopPx);
  EXPECT_EQ(p.explainLabel.top, 81);  // the design's 80, moved just below the spelling
  for (int lines : {p.explainLines, p.derivationLines, p.exampleLines}) EXPECT_EQ(lines, 2);
  EXPECT_EQ(p.explain.height, 2 * 18 + 6);
  EXPECT_LE(p.example.bottom(), 265);
  EXPECT_LT(p.spell.bottom(), p.explainLabel.top);
  EXPECT_LT(p.explain.bottom(), p.derivationLabel.top);
}

TEST(DetailLayout, ATallerPaneGivesWholeLinesTheExplanationTheMost) {
  const DetailPlaces p = PlaceDetailBoxes(NineInCjk(265 + 400));
  // 400 px to spare: half is 11 lines of 18, a quarter 5, and the 22 px the
  // shares leave make one more line for the explanation.
  EXPECT_EQ(p.explainLines, 2 + 11 + 1);
  EXPECT_EQ(p.derivationLines, 2 + 5);
  EXPECT_EQ(p.exampleLines, 2 + 5);
  EXPECT_LE(p.example.bottom(), 665);
  EXPECT_GT(p.example.bottom(), 665 - 18 - 2);  // no whole line left unused
  // A pane shorter than its contents gives up second lines from the bottom.
  const DetailPlaces small = PlaceDetailBoxes(NineInCjk(230));
  EXPECT_EQ(small.exampleLines, 1);
  EXPECT_EQ(small.derivationLines, 1);
  EXPECT_EQ(small.explainLines, 2);
  EXPECT_LE(small.example.bottom(), 230);
}

TEST(WindowPlacement, AFirstStartFillsTwoThirdsOfALargeScreenInTheDesignsProportions) {
  const QSize design(546, 371);
  const QRect large = FirstStartGeometry(design, QRect(0, 0, 1920, 1050));
  EXPECT_EQ(large.height(), 700);
  EXPECT_NEAR(large.width(), 700 * 546 / 371, 1);
  EXPECT_LE((large.center() - QRect(0, 0, 1920, 1050).center()).manhattanLength(), 2);
  EXPECT_EQ(FirstStartGeometry(design, QRect(0, 0, 800, 500)).size(), design) << "never below the design";
  EXPECT_LE(FirstStartGeometry(design, QRect(0, 0, 900, 2000)).width(), 900) << "a tall narrow screen";
}
