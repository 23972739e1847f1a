// The main window's panes and controls as the window is resized.
#include <QHelpEvent>
#include <QToolTip>
#include <cmath>

#include "MainWindowFixture.h"
#include "layout/PaneGrid.h"
#include "platform/Twips.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::WaitFor;

TEST_F(MainWindow, ResizingMovesThePanesAndKeepsTheBannerButtonsRight) {
  window->resize(Px(8190) + 200, Px(5565) + 100);
  ASSERT_TRUE(WaitFor([&] { return c().Picture1->width() == window->centralWidget()->width(); }));
  const int banner = c().Picture1->width();
  EXPECT_NEAR(c().cmdAbout->x() + c().cmdAbout->width(), banner - Px(60), 2);
  EXPECT_NEAR(c().cmdHelp->x() + c().cmdHelp->width(), c().cmdAbout->x(), 1);
  // The list pane takes a third of the extra width; its box and list widen with it.
  EXPECT_NEAR(c().picMList->width(), Px(2400) + 200 / 3, 2);
  EXPECT_EQ(c().picMList->pos(), QPoint(Px(465), Px(885)));
  EXPECT_EQ(c().txtSearchKey->width() - Px(1680), c().picMList->width() - Px(2400));
  EXPECT_EQ(c().lstKovSearch->width() - Px(2295), c().picMList->width() - Px(2400));
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
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(role, QColor(0xee, 0xee, 0xee));
  return dark;
}

}  // namespace

TEST_F(MainWindow, UnderADarkPaletteTextOnTheFixedLightBackgroundsStaysDark) {
  const QPalette before = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  Open(test::SmallSource());
  ShowAfterTick();
  const QColor cream(0xf3, 0xe2, 0xc4);
  for (QWidget *control :
       std::initializer_list<QWidget *>{c().lblUserName, c().cmdEmail, c().cmdUpdate, c().cmdAbout, c().cmdSetting,
                                        c().Command10, c().lblQuillon, c().lblStart, c().lblUp})
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

TEST_F(MainWindow, ATallerWindowGivesTheDetailBoxesTheRoomAndTheIdiomALargerFont) {
  ShowAfterTick();
  const int designWidth = c().txtExplain->width();
  const double idiomSize = c().txtIdiom->font().pointSizeF();
  EXPECT_EQ(designWidth, Px(5323 - 640));  // the fields' width rule holds at the design size
  const int explain = c().txtExplain->height(), derivation = c().txtDerivation->height();
  window->resize(window->width(), window->height() + 400);
  ASSERT_TRUE(WaitFor([&] { return c().txtExplain->height() > explain; }));
  EXPECT_GT(c().txtExplain->height() - explain, c().txtDerivation->height() - derivation);
  EXPECT_GT(c().txtDerivation->height(), derivation);
  EXPECT_LE(c().txtExample->geometry().bottom(), c().Picture6->height());
  EXPECT_DOUBLE_EQ(c().txtIdiom->font().pointSizeF(), idiomSize * 1.5);
  EXPECT_EQ(c().txtExplain->width(), designWidth);
}

TEST_F(MainWindow, LongIdiomsAreReadableInFull) {
  const QString idiom = "天下兴亡匹夫有责一言既出驷马难追";  // 16 characters
  Open({{idiom, idiom, "tiān xià xīng wáng pǐ fū yǒu zé yī yán jì chū sì mǎ nán zhuī", "long", std::nullopt,
         std::nullopt}});
  ShowAfterTick();
  Click(c().Command5);
  for (QLabel *label : {c().Picture5->controls().Label1, c().Picture5->controls().Label4}) {
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_GE(label->font().pointSizeF(), 10);
  }
  EXPECT_EQ(c().Picture5->controls().Label4->text(), idiom);
  // The list and the history label show the whole idiom as a tool tip.
  QTableView *list = c().lstKovSearch;
  const QRect row = list->visualRect(list->model()->index(0, 1));
  QHelpEvent onList(QEvent::ToolTip, row.center(), list->viewport()->mapToGlobal(row.center()));
  QApplication::sendEvent(list->viewport(), &onList);
  EXPECT_EQ(QToolTip::text(), idiom);
  QToolTip::hideText();
  c().lblUp->setText(idiom + idiom);
  EXPECT_TRUE(c().lblUp->IsElidedNow());
  QHelpEvent onLabel(QEvent::ToolTip, QPoint(2, 2), c().lblUp->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(c().lblUp, &onLabel);
  EXPECT_EQ(QToolTip::text(), idiom + idiom);
}
