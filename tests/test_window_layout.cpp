// The main window's panes and controls as the window is resized.
#include "MainWindowFixture.h"
#include "layout/PaneGrid.h"
#include "platform/Twips.h"

using namespace velmora;
using test::MainWindow;
using test::WaitFor;

TEST_F(MainWindow, ResizingMovesThePanesAndKeepsTheBannerButtonsRight) {
  window->resize(Px(8190) + 200, Px(5565) + 100);
  ASSERT_TRUE(WaitFor([&] { return c().Picture1->width() == window->centralWidget()->width(); }));
  const int banner = c().Picture1->width();
  EXPECT_NEAR(c().cmdAbout->x() + c().cmdAbout->width(), banner - Px(60), 2);
  EXPECT_NEAR(c().cmdHelp->x() + c().cmdHelp->width(), c().cmdAbout->x(), 1);
  EXPECT_EQ(c().picMList->geometry(), QRect(Px(465), Px(885), Px(2400), c().picMList->height()));
  EXPECT_NEAR(c().Picture6->height(), Px(3975) + 100, 1);
  EXPECT_NEAR(c().trvIdiomDir->height(), c().picMList->height() - Px(465), 1);
  EXPECT_NEAR(c().lstKovSearch->height(), c().picMList->height() - Px(865), 1);
  EXPECT_NEAR(c().txtExplain->width(), c().Picture6->width() - Px(640), 1);
  EXPECT_NEAR(c().Picture5->height(), c().Picture6->height() - c().Image10->height(), 1);
  EXPECT_EQ(c().lblUserCoolName->x(), c().lblUserName->x() + c().lblUserName->width());
  window->resize(10, 10);
  QApplication::processEvents();
  EXPECT_GE(window->centralWidget()->width(), Px(kMinimumClientTwips.width()));
  EXPECT_GE(window->centralWidget()->height(), Px(kMinimumClientTwips.height()));
}
