// The main window's panes and controls as the window is resized.
#include <cmath>

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

namespace {

// WCAG's contrast ratio of two colours.
double Contrast(const QColor &a, const QColor &b) {
  const auto luminance = [](const QColor &c) {
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) dark.setColor(role, QColor(0xee, 0xee, 0xee));
  return dark;
}

}  // namespace

TEST_F(MainWindow, UnderADarkPaletteTextOnTheFixedLightBackgroundsStaysDark) {
  const QPalette before = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  Open(test::SmallSource());
  ShowAfterTick();
  const QColor cream(0xf3, 0xe2, 0xc4);
  for (QWidget *control : std::initializer_list<QWidget *>{c().lblUserName, c().cmdEmail, c().cmdUpdate, c().cmdAbout,
                                                            c().cmdSetting, c().Command10, c().lblQuillon,
                                                            c().lblStart, c().lblUp})
    EXPECT_GE(Contrast(control->palette().color(control->foregroundRole()), cream), 4.5)
        << control->objectName().toStdString();
  // What has no fixed background follows the palette.
  EXPECT_EQ(c().txtExplain->palette().color(QPalette::Text), QColor(0xee, 0xee, 0xee));
  if (const QByteArray shots = qgetenv("VELMORA_SHOTS"); !shots.isEmpty())
    window->grab().save(QString::fromUtf8(shots) + "/dark.png");
  QApplication::setPalette(before);
}

TEST_F(MainWindow, BelowTheDesignWidthTheBannerButtonsLeaveTheLinksFree) {
  window->resize(1, window->height());
  ASSERT_TRUE(WaitFor([&] { return c().Picture1->width() == window->centralWidget()->width(); }));
  for (QWidget *link : std::initializer_list<QWidget *>{c().cmdEmail, c().cmdUpdate, c().cmdCoolNameSet})
    EXPECT_LE(link->geometry().right(), c().Command1->x()) << link->objectName().toStdString();
}
