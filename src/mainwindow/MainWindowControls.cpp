#include "MainWindowControls.h"

#include <QMenu>

#include "layout/ControlArrangement.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/browse/CreateBrowseControls.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/detail/CreateDetailControls.h"
#include "mainwindow/detail/QuizView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/BoldFromRegular.h"
#include "platform/ImageList.h"
#include "platform/LanguageTexts.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

void CreateBanner(MainWindowControls &c) {
  c.Picture1 = Pane(c.ActiveSizer1, "Picture1", 2, 2, 8186, 883);
  c.Image5 = Background(c.Picture1, "Image5", 0, 0, 8175, 870, QColor(0xfb, 0xf4, 0xe6), QColor(0xee, 0xd9, 0xb8));
  c.Picture2 = Pane(c.Picture1, "Picture2", 120, 120, 660, 660);
  c.imgLogo = MakeAt<ClickableLabel>(c.Picture2, "imgLogo", 30, 30, 600, 600);
  c.imgLogo->setPixmap(ImageByKey(QStringLiteral("logo")).pixmap(QSize(80, 80)));
  c.imgLogo->setScaledContents(true);
  c.imgLogo->setCursor(Qt::PointingHandCursor);
  SetLanguageName(c.imgLogo, "ACCLOGO", "Logo");
  c.lblUserName = Caption(c.Picture1, "lblUserName", QStringLiteral("UserName"), 900, 120, 900, 225);
  c.lblUserName->setFont(BoldFromRegular(QFont(QStringLiteral("Arial"), 9)));
  c.lblUserName->adjustSize();
  c.lblUserCoolName = Caption(c.Picture1, "lblUserCoolName", QStringLiteral("UserCoolName"), 1920, 120, 2055, 225);
  c.cmdCoolNameSet = MakeAt<QPushButton>(c.Picture1, "cmdCoolNameSet", 3960, 120, 195, 255);
  c.cmdCoolNameSet->setIcon(ImageByKey(QStringLiteral("person")));
  c.cmdCoolNameSet->setFlat(true);
  SetLanguageName(c.cmdCoolNameSet, "ACCCOOLNAMESET", "Nickname settings");
  c.cmdCoolNameSet->setToolTip(QStringLiteral("Change your name and nickname"));
  c.cmdCoolNameSet->setProperty("captionAsToolTip", true);
  c.cmdEmail = MakeAt<QPushButton>(c.Picture1, "cmdEmail", 900, 480, 780, 300);
  c.cmdEmail->setText(QStringLiteral("Mail"));
  c.cmdEmail->setIcon(ImageByKey(QStringLiteral("mail")));
  c.cmdUpdate = MakeAt<QPushButton>(c.Picture1, "cmdUpdate", 1740, 480, 900, 300);
  c.cmdUpdate->setText(QStringLiteral("Update"));
  c.cmdUpdate->setIcon(ImageByKey(QStringLiteral("web")));
  for (QPushButton *button : {c.cmdEmail, c.cmdUpdate}) button->setFlat(true);
  c.Command1 = BannerButton(c.Picture1, "Command1", QStringLiteral("home24"), QString(), 4320);
  c.Command1->setAccessibleName(QStringLiteral("Velmora"));  // the product's name in every language
  c.cmdSetting = BannerButton(c.Picture1, "cmdSetting", QStringLiteral("setting"), QStringLiteral("Setting"), 5180);
  c.cmdHelp = BannerButton(c.Picture1, "cmdHelp", QStringLiteral("help"), QStringLiteral("Help"), 6040);
  c.cmdAbout = BannerButton(c.Picture1, "cmdAbout", QStringLiteral("about"), QStringLiteral("About"), 6900);
}

void CreateFooter(MainWindowControls &c) {
  c.Picture3 = Pane(c.ActiveSizer1, "Picture3", 120, 4860, 7920, 703);
  c.Image2 = Background(c.Picture3, "Image2", 0, 0, 7575, 720, QColor(0xee, 0xd9, 0xb8), QColor(0xfb, 0xf4, 0xe6));
  c.lblQuillon = Caption(c.Picture3, "lblQuillon", QStringLiteral("Velmora · CC-CEDICT idioms"), 120, 200, 4200, 300);
  c.lblStart = Caption(c.Picture3, "lblStart", QStringLiteral("Up:"), 4440, 200, 900, 300);
  c.lblUp = MakeAt<ClickableLabel>(c.Picture3, "lblUp", 5340, 200, 2460, 300);
  SetLanguageText(c.lblUp, TextRole::AccessibleDescription, "ACCPREVIOUS", "Previous idiom");
  c.lblUp->setCursor(Qt::PointingHandCursor);
  c.lblUp->SetElided(true);
  c.lblUp->setStyleSheet(QStringLiteral("color: #1d4f8a; text-decoration: underline;"));
  c.Image1 =
      Background(c.ActiveSizer1, "Image1", 0, 4860, 150, 780, QColor(0xee, 0xd9, 0xb8), QColor(0xfb, 0xf4, 0xe6));
  c.Image3 =
      Background(c.ActiveSizer1, "Image3", 8040, 4860, 150, 780, QColor(0xee, 0xd9, 0xb8), QColor(0xfb, 0xf4, 0xe6));
}

// The banner, the headers and the footer have fixed light backgrounds: the
// text on them keeps a fixed dark ink, whatever the style's palette, so a
// dark theme does not put light text on cream. Everything else follows the
// palette.
void InkOnFixedBackgrounds(MainWindowControls &c) {
  const QColor ink(0x3a, 0x2a, 0x14), link(0x1d, 0x4f, 0x8a), cream(0xf3, 0xe2, 0xc4);
  const auto inkOn = [&](QWidget *control, const QColor &colour) {
    QPalette palette = control->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
      palette.setColor(role, colour);
    palette.setColor(QPalette::Button, cream);  // behind a raised button under the pointer
    control->setPalette(palette);
  };
  for (QWidget *control : std::initializer_list<QWidget *>{
           c.cmdCoolNameSet, c.cmdEmail,     c.cmdUpdate,      c.Command1,         c.cmdSetting,  c.cmdHelp,
           c.cmdAbout,       c.Command2,     c.Command3,       c.Command4,         c.Command5,    c.cmdFavourite,
           c.cmdRelated,     c.cmdChain,     c.cmdLookup,      c.Command10,        c.lblQuillon,  c.lblStart,
           c.lblUp,          c.cmdKOVSearch, c.cmdKOVTreeList, c.cmdKOVFavourites, c.cmdKOVStudy, c.cmdMyNetDisk,
           c.cmdMyLinkBook,  c.cmdMisCenter})
    inkOn(control, ink);
  for (QLabel *name : {c.lblUserName, c.lblUserCoolName}) {
    name->setForegroundRole(QPalette::WindowText);
    inkOn(name, link);
  }
}

}  // namespace

namespace {

void SetWidth(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->resize(Px(*twips), control->height());
}

void SetHeight(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->resize(control->width(), Px(*twips));
}

void SetLeft(QWidget *control, const std::optional<double> &twips) {
  if (twips) control->move(Px(*twips), control->y());
}

}  // namespace

void ApplyArrangement(const MainWindowControls &c_, const Arrangement &a) {
  SetWidth(c_.Image2, a.footerImageWidth);
  SetWidth(c_.Image5, a.bannerImageWidth);
  SetWidth(c_.Image10, a.headerImageWidth);
  SetWidth(c_.Picture5, a.quizWidth);
  SetHeight(c_.Image4, a.barImageHeight);
  SetHeight(c_.Image9, a.stripImageHeight);
  SetHeight(c_.Picture5, a.quizHeight);
  SetHeight(c_.trvIdiomDir, a.treeHeight);
  SetHeight(c_.lstKovSearch, a.listHeight);
  SetLeft(c_.cmdAbout, a.aboutLeft);
  SetLeft(c_.cmdHelp, a.helpLeft);
  SetLeft(c_.cmdSetting, a.settingLeft);
  SetLeft(c_.Command1, a.command1Left);
  SetWidth(c_.txtDetailed, a.detailedWidth);
  for (QWidget *field : std::initializer_list<QWidget *>{c_.txtIdiom, c_.txtExplain, c_.txtDerivation, c_.txtExample})
    SetWidth(field, a.fieldWidth);
  SetHeight(c_.txtDetailed, a.detailedHeight);
  // The related idioms stand where the combined text does.
  SetWidth(c_.trvRelated, a.detailedWidth);
  SetHeight(c_.trvRelated, a.detailedHeight);
  // The favourites view stands where the index tree does.
  SetHeight(c_.picFavourites, a.treeHeight);
  SetHeight(c_.picStudy, a.treeHeight);
}

MainWindowControls CreateMainWindowControls(QWidget *client) {
  MainWindowControls c{};
  c.ActiveSizer1 = Pane(client, "ActiveSizer1", 0, 0, 8190, 5565);
  CreateBanner(c);
  CreateButtonBar(c, c.ActiveSizer1);
  CreateListPane(c, c.ActiveSizer1, client);
  // The wings' own widgets where the design put them.
  c.picStudy = new StudyView(c.picMList);
  CreateDetailPane(c, c.ActiveSizer1);
  c.trvRelated = new RelatedTree(c.Picture6);
  PlaceAt(c.trvRelated, 200, 400, 255, 3375);
  CreateQuizPanel(c);
  CreateFooter(c);
  InkOnFixedBackgrounds(c);
  c.mnuFile = new QMenu(QStringLiteral("File"), client);
  c.mnuFile->setObjectName(QStringLiteral("mnuFile"));
  c.lstKovSearch->raise();
  return c;
}

}  // namespace velmora
