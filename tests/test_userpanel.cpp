#include <QDialog>
#include <QImage>
#include <QRadioButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "platform/Twips.h"
#include "startup/RwIni.h"

using namespace velmora;
using test::MainWindow;
using test::WaitFor;

namespace {

// A 1 x 1 GIF picture.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

}  // namespace

TEST_F(MainWindow, PanelShowsNameNicknameAndLoadableLogos) {
  EXPECT_EQ(c().lblUserCoolName->text(), " -- ") << "the prefix stands also without a nickname";
  const QPixmap builtIn = c().imgLogo->pixmap();
  const auto showLogo = [&](const QString &path) {
    WriteIniTo(install->file("config.dll"), "Setting", "logo", path);
    window->RefreshUserPanel();
    return c().imgLogo->pixmap().size();
  };
  EXPECT_EQ(showLogo("/a/b"), builtIn.size()) << "four characters or fewer are ignored";
  EXPECT_EQ(showLogo(install->file("missing.jpg")), builtIn.size());
  install->Write("broken.jpg", "not a picture");
  EXPECT_EQ(showLogo(install->file("broken.jpg")), builtIn.size());
  QImage(7, 5, QImage::Format_RGB32).save(install->file("logo.jpg"), "JPG");
  QImage(9, 3, QImage::Format_RGB32).save(install->file("logo.bmp"), "BMP");
  install->Write("logo.gif", kGif);
  EXPECT_EQ(showLogo(install->file("logo.jpg")), QSize(7, 5));
  EXPECT_EQ(showLogo(install->file("LOGO.BMP")), QSize(9, 3));
  EXPECT_EQ(showLogo(install->file("logo.gif")), QSize(1, 1));
  EXPECT_EQ(showLogo(install->file("broken.jpg")), QSize(1, 1)) << "a broken file keeps the previous picture";
  WriteIniTo(install->file("config.dll"), "Setting", "UserCoolName", "Dragon");
  window->RefreshUserPanel();
  EXPECT_EQ(c().lblUserCoolName->text(), " -- Dragon");
  EXPECT_EQ(window->Nickname(), "Dragon");
  EXPECT_TRUE(c().txtSpell->font().families().contains("Arial"));
}

TEST_F(MainWindow, SettingsOkRelabelsTheWindowAtOnce) {
  install->WriteLanguage("GB", "[FONT]\nFont=Noto Sans CJK SC\nSIZE=9\n[Caption]\nKOVTSearch=成语检索\n"
                               "KOVTTreeList=字母索引\nEXPLAIN=释义\nABOUT=关于\n");
  QTimer::singleShot(0, [] {
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit *>("txtUserName")->setText("李小龙");
    dialog->findChild<QLineEdit *>("txtUserCoolName")->setText("小龙");
    dialog->findChild<QRadioButton *>("OptGB")->setChecked(true);
    dialog->findChild<QPushButton *>("cmdOK")->click();
  });
  window->OpenSettings();
  EXPECT_EQ(LangName(), "GB");
  EXPECT_EQ(c().cmdKOVTitle->text(), "成语检索");
  EXPECT_EQ(c().lblExplain->text(), "释义");
  EXPECT_EQ(c().cmdAbout->text(), "关于");
  EXPECT_EQ(c().lblUserName->text(), "李小龙");
  EXPECT_EQ(c().lblUserCoolName->text(), " -- 小龙");
  window->cmdKOVTreeList_Click();
  EXPECT_EQ(c().cmdKOVTitle->text(), "字母索引");
}

TEST_F(MainWindow, CancelStillRefreshesThePanel) {
  WriteIniTo(install->file("config.dll"), "Setting", "UserName", "Changed elsewhere");
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton *>("cmdCancel")->click(); });
  window->OpenSettings();
  EXPECT_EQ(c().lblUserName->text(), "Changed elsewhere");
}

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
