#include <QDialog>
#include <QImage>
#include <QRadioButton>
#include <QTimer>

#include "MainWindowFixture.h"
#include "config/RwIni.h"
#include "mainwindow/study/StudyView.h"

using namespace velmora;
using test::Click;
using test::MainWindow;
using test::WaitFor;

namespace {

// A 1 x 1 GIF picture.
const QByteArray kGif =
    QByteArray::fromHex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

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
  install->WriteLanguage("GB",
                         "[FONT]\nFont=Noto Sans CJK SC\nSIZE=9\n[Caption]\nKOVTSearch=成语检索\n"
                         "KOVTTreeList=字母索引\nEXPLAIN=释义\nABOUT=关于\nACCSEARCHVIEW=检索视图\n"
                         "STUDYDUECOUNT=待复习 %1 个\nSTUDYPROGRESS=复习进度\n");
  // The Study view made in English first: its texts change with the rest.
  Click(c().cmdKOVStudy);
  auto *progress = c().picStudy->findChild<QPushButton *>("cmdStudyProgress");
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->text(), "Progress");
  Click(c().cmdKOVSearch);
  QTimer::singleShot(0, [] {
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit *>("txtUserName")->setText("李小龙");
    dialog->findChild<QLineEdit *>("txtUserCoolName")->setText("小龙");
    dialog->findChild<QRadioButton *>("OptGB")->setChecked(true);
    dialog->findChild<QPushButton *>("cmdOK")->click();
  });
  Click(c().cmdSetting);
  EXPECT_EQ(LangName(), "GB");
  EXPECT_EQ(c().cmdKOVTitle->text(), "成语检索");
  EXPECT_EQ(c().lblExplain->text(), "释义");
  EXPECT_EQ(c().cmdAbout->text(), "关于");
  EXPECT_EQ(c().lblUserName->text(), "李小龙");
  EXPECT_EQ(c().lblUserCoolName->text(), " -- 小龙");
  EXPECT_EQ(c().cmdKOVSearch->accessibleName(), "检索视图") << "what a screen reader says, too";
  EXPECT_TRUE(c().cmdKOVStudy->toolTip().startsWith("待复习 0 个")) << "with its keys";
  EXPECT_EQ(progress->text(), "复习进度");
  Click(c().cmdKOVTreeList);
  EXPECT_EQ(c().cmdKOVTitle->text(), "字母索引");
}

TEST_F(MainWindow, CancelStillRefreshesThePanel) {
  WriteIniTo(install->file("config.dll"), "Setting", "UserName", "Changed elsewhere");
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->findChild<QPushButton *>("cmdCancel")->click(); });
  Click(c().cmdSetting);
  EXPECT_EQ(c().lblUserName->text(), "Changed elsewhere");
}

TEST_F(MainWindow, NamesShowAsPlainTextWithTheNicknameAfterTheName) {
  WriteIniTo(install->file("config.dll"), "Setting", "UserName", "<b>Alexander Hamilton</b>");
  WriteIniTo(install->file("config.dll"), "Setting", "UserCoolName", "<img src='/x.png'>");
  window = std::make_unique<frmVELM>();
  window->show();
  EXPECT_EQ(c().lblUserName->text(), "<b>Alexander Hamilton</b>");
  EXPECT_EQ(c().lblUserCoolName->x(), c().lblUserName->x() + c().lblUserName->width())
      << "placed after the stored name at the start";
  for (const QLabel *label : window->findChildren<QLabel *>())
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

TEST_F(MainWindow, AVeryWideLogoIsShown) {
  QImage(20000, 20, QImage::Format_RGB32).save(install->file("wide.png"), "PNG");
  WriteIniTo(install->file("config.dll"), "Setting", "logo", install->file("wide.png"));
  window->RefreshUserPanel();
  EXPECT_EQ(c().imgLogo->pixmap().size(), QSize(160, 1));
}
