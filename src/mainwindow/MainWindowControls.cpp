#include "MainWindowControls.h"

#include <QHeaderView>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPointer>

#include "PaneControls.h"
#include "layout/ControlArrangement.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/detail/QuizView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/AfterFirstPaint.h"
#include "platform/ImageList.h"
#include "platform/ListHeader.h"
#include "platform/Twips.h"

namespace velmora {

namespace {

QWidget *Pane(QWidget *parent, const char *name, double left, double top, double width, double height) {
  return MakeAt<QWidget>(parent, name, left, top, width, height);
}

// A background picture that stretches to the image's size.
QLabel *Background(QWidget *parent, const char *name, double left, double top, double width, double height,
                   const QColor &from, const QColor &to, Qt::Orientation direction = Qt::Vertical) {
  QLabel *image = MakeAt<QLabel>(parent, name, left, top, width, height);
  QPixmap picture(direction == Qt::Vertical ? QSize(4, 64) : QSize(64, 4));
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, direction == Qt::Vertical ? 0 : 64, direction == Qt::Vertical ? 64 : 0);
  gradient.setColorAt(0, from);
  gradient.setColorAt(1, to);
  painter.fillRect(picture.rect(), gradient);
  painter.end();
  image->setPixmap(picture);
  image->setScaledContents(true);
  return image;
}

QToolButton *PictureButton(QWidget *parent, const char *name, const QString &image, const QString &accessibleName,
                           double left, double top, double width, double height) {
  QToolButton *button = MakeAt<QToolButton>(parent, name, left, top, width, height);
  button->setIcon(ImageByKey(image));
  button->setIconSize(QSize(Px(width) - 6, Px(height) - 6).boundedTo(QSize(24, 24)));
  button->setAutoRaise(true);
  button->setAccessibleName(accessibleName);
  button->setToolTip(accessibleName);
  // A picture button has no room for a caption: the language's caption
  // becomes its tool tip.
  button->setProperty("captionAsToolTip", true);
  return button;
}

QToolButton *BannerButton(QWidget *parent, const char *name, const QString &image, const QString &caption,
                          double left) {
  QToolButton *button = MakeAt<QToolButton>(parent, name, left, 0, 855, 855);
  button->setIcon(ImageByKey(image));
  button->setIconSize(QSize(26, 26));
  button->setText(caption);
  button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  return button;
}

QPlainTextEdit *TextBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName,
                        double left, double top, double width, double height) {
  auto *box = MakeAt<QPlainTextEdit>(parent, name, left, top, width, height);
  box->setPlainText(text);
  box->setReadOnly(true);
  box->setAccessibleName(accessibleName);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Narrow margins: the boxes are laid out to hold whole lines.
  box->document()->setDocumentMargin(2);
  return box;
}

QLineEdit *LineBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, double left,
                   double top, double width, double height) {
  auto *box = MakeAt<QLineEdit>(parent, name, left, top, width, height);
  box->setText(text);
  box->setReadOnly(true);
  box->setAccessibleName(accessibleName);
  // One-line boxes are designed tight: no padding, so no clipped accents.
  box->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px 2px; }"));
  return box;
}

// Bold text takes the bold CJK face: megabytes that the first start after a
// boot reads from disk before the window could show, for as long again as
// the rest of its fonts. The view's title turns bold just after the first
// frame, and the idiom box (empty in that frame) with it.
void BoldAfterFirstPaint(QWidget *widget) {
  AfterFirstPaint(widget->window(), [widget = QPointer<QWidget>(widget)] {
    if (!widget) return;
    QFont bold = widget->font();
    bold.setBold(true);
    widget->setFont(bold);
  });
}

void CreateBanner(MainWindowControls &c) {
  c.Picture1 = Pane(c.ActiveSizer1, "Picture1", 2, 2, 8186, 883);
  c.Image5 = Background(c.Picture1, "Image5", 0, 0, 8175, 870, QColor(0xfb, 0xf4, 0xe6), QColor(0xee, 0xd9, 0xb8));
  c.Picture2 = Pane(c.Picture1, "Picture2", 120, 120, 660, 660);
  c.imgLogo = MakeAt<ClickableLabel>(c.Picture2, "imgLogo", 30, 30, 600, 600);
  c.imgLogo->setPixmap(ImageByKey(QStringLiteral("logo")).pixmap(QSize(80, 80)));
  c.imgLogo->setScaledContents(true);
  c.imgLogo->setCursor(Qt::PointingHandCursor);
  c.imgLogo->setAccessibleName(QStringLiteral("Logo"));
  c.lblUserName = Caption(c.Picture1, "lblUserName", QStringLiteral("UserName"), 900, 120, 900, 225);
  QFont bold(QStringLiteral("Arial"), 9);
  bold.setBold(true);
  c.lblUserName->setFont(bold);
  c.lblUserName->adjustSize();
  c.lblUserCoolName = Caption(c.Picture1, "lblUserCoolName", QStringLiteral("UserCoolName"), 1920, 120, 2055, 225);
  c.cmdCoolNameSet = MakeAt<QPushButton>(c.Picture1, "cmdCoolNameSet", 3960, 120, 195, 255);
  c.cmdCoolNameSet->setIcon(ImageByKey(QStringLiteral("person")));
  c.cmdCoolNameSet->setFlat(true);
  c.cmdCoolNameSet->setAccessibleName(QStringLiteral("Nickname settings"));
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
  c.Command1->setAccessibleName(QStringLiteral("Velmora"));
  c.cmdSetting = BannerButton(c.Picture1, "cmdSetting", QStringLiteral("setting"), QStringLiteral("Setting"), 5180);
  c.cmdHelp = BannerButton(c.Picture1, "cmdHelp", QStringLiteral("help"), QStringLiteral("Help"), 6040);
  c.cmdAbout = BannerButton(c.Picture1, "cmdAbout", QStringLiteral("about"), QStringLiteral("About"), 6900);
}

void CreateButtonBar(MainWindowControls &c) {
  c.Picture4 = Pane(c.ActiveSizer1, "Picture4", 2, 885, 463, 3975);
  c.Image4 = Background(c.Picture4, "Image4", 0, 0, 480, 3975, QColor(0xe6, 0xcf, 0xa8), QColor(0xf6, 0xea, 0xd4),
                        Qt::Horizontal);
  // Four tab buttons for the views, then the buttons without behaviour.
  c.cmdKOVSearch = PictureButton(c.Picture4, "cmdKOVSearch", QStringLiteral("kovsearch"), QStringLiteral("Search view"),
                                 20, 120, 428, 640);
  c.cmdKOVTreeList = PictureButton(c.Picture4, "cmdKOVTreeList", QStringLiteral("kovtree"),
                                   QStringLiteral("Index view"), 20, 800, 400, 640);
  c.cmdKOVFavourites = PictureButton(c.Picture4, "cmdKOVFavourites", QStringLiteral("kovfavourites"),
                                     QStringLiteral("Favourites view"), 20, 1480, 400, 640);
  c.cmdKOVStudy = PictureButton(c.Picture4, "cmdKOVStudy", QStringLiteral("kovstudy"), QStringLiteral("Study view"), 20,
                                2160, 400, 640);
  c.cmdMyNetDisk = PictureButton(c.Picture4, "cmdMyNetDisk", QStringLiteral("home"), QStringLiteral("My Net Disk"), 20,
                                 2880, 400, 340);
  c.cmdMyLinkBook = PictureButton(c.Picture4, "cmdMyLinkBook", QStringLiteral("page"), QStringLiteral("My Link Book"),
                                  20, 3240, 400, 340);
  c.cmdMisCenter = PictureButton(c.Picture4, "cmdMisCenter", QStringLiteral("info"), QStringLiteral("Misc Center"), 20,
                                 3600, 400, 340);
  for (QToolButton *tab : {c.cmdKOVSearch, c.cmdKOVTreeList, c.cmdKOVFavourites, c.cmdKOVStudy})
    tab->setAutoRaise(false);
}

void CreateListPane(MainWindowControls &c, QWidget *client) {
  c.picMList = Pane(c.ActiveSizer1, "picMList", 465, 885, 2400, 3975);
  c.Image8 = Background(c.picMList, "Image8", 0, 0, 2400, 390, QColor(0xb8, 0x3a, 0x2f), QColor(0x8e, 0x27, 0x20));
  c.cmdKOVTitle = MakeAt<QPushButton>(c.picMList, "cmdKOVTitle", 30, 45, 1900, 300);
  c.cmdKOVTitle->setText(QStringLiteral("KOV Search"));
  c.cmdKOVTitle->setFlat(true);
  c.cmdKOVTitle->setStyleSheet(QStringLiteral("color: white; text-align: left;"));
  BoldAfterFirstPaint(c.cmdKOVTitle);
  c.Command9 =
      PictureButton(c.picMList, "Command9", QStringLiteral("home"), QStringLiteral("Velmora"), 1990, 45, 330, 300);
  c.Command9->setProperty("toolTipKey", QStringLiteral("TIPHOME"));
  c.picSearchLine = Pane(c.picMList, "picSearchLine", 30, 435, 2340, 400);
  c.txtSearchKey = MakeAt<QLineEdit>(c.picSearchLine, "txtSearchKey", 0, 40, 1680, 330);
  c.txtSearchKey->setAccessibleName(QStringLiteral("Search"));
  c.txtSearchKey->setPlaceholderText(QStringLiteral("成语 / pinyin"));
  // The clear button's icon comes from the icon theme, which is read when
  // the button is made; the box is empty in the first frame anyway.
  AfterFirstPaint(client->window(), [box = QPointer<QLineEdit>(c.txtSearchKey)] {
    if (box) box->setClearButtonEnabled(true);
  });
  c.cmdSearch = MakeAt<QPushButton>(c.picSearchLine, "cmdSearch", 1720, 40, 620, 330);
  c.cmdSearch->setText(QStringLiteral("Search"));
  c.trvIdiomDir = MakeAt<NodeTree>(c.picMList, "trvIdiomDir", 30, 435, 2340, 2535);
  c.trvIdiomDir->setAccessibleName(QStringLiteral("Index"));
  c.trvIdiomDir->hide();
  c.picFavourites = new FavouritesView(c.picMList);
  c.picStudy = new StudyView(c.picMList);
  c.lstKovSearch = MakeAt<QTreeView>(client, "lstKovSearch", 520, 1720, 2295, 2775);
  c.lstKovSearch->setAccessibleName(QStringLiteral("Idiom list"));
  ListHeader::InstallOn(c.lstKovSearch);
  c.lstKovSearch->setRootIsDecorated(false);
  c.lstKovSearch->setUniformRowHeights(true);
  c.lstKovSearch->setItemsExpandable(false);
  c.lstKovSearch->setAllColumnsShowFocus(true);
  c.lstKovSearch->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.lstKovSearch->header()->setStretchLastSection(true);
  c.lstKovSearch->header()->setMinimumSectionSize(8);
  c.lstKovSearch->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CreateQuizPanel(MainWindowControls &c) { c.Picture5 = new QuizView(c.Picture6); }

void CreateDetailPane(MainWindowControls &c) {
  c.Picture6 = Pane(c.ActiveSizer1, "Picture6", 2865, 885, 5323, 3975);
  c.Image9 = Background(c.Picture6, "Image9", 0, 0, 135, 3975, QColor(0xb8, 0x3a, 0x2f), QColor(0x8e, 0x27, 0x20),
                        Qt::Horizontal);
  c.Image10 = Background(c.Picture6, "Image10", 120, 0, 5010, 390, QColor(0xf3, 0xe2, 0xc4), QColor(0xe3, 0xc9, 0x9c));
  c.Command2 = PictureButton(c.Picture6, "Command2", QStringLiteral("detail"), QStringLiteral("Show combined text"),
                             160, 30, 320, 320);
  c.Command4 =
      PictureButton(c.Picture6, "Command4", QStringLiteral("speak"), QStringLiteral("Speak"), 550, 30, 315, 315);
  c.Command3 =
      PictureButton(c.Picture6, "Command3", QStringLiteral("video"), QStringLiteral("Play video"), 950, 30, 315, 315);
  c.Command5 =
      PictureButton(c.Picture6, "Command5", QStringLiteral("quiz"), QStringLiteral("Quiz"), 1330, 30, 315, 315);
  c.Command3->setEnabled(false);
  // Their names are not read by the caption step: the language file gives
  // their tool tips under keys of their own.
  for (auto [button, key] : {std::pair{c.Command2, "TIPDETAIL"},
                             {c.Command4, "TIPSPEAK"},
                             {c.Command3, "TIPVIDEO"},
                             {c.Command5, "TIPQUIZ"}})
    button->setProperty("toolTipKey", QLatin1String(key));
  c.cmdFavourite = PictureButton(c.Picture6, "cmdFavourite", QStringLiteral("star"), QStringLiteral("Favourite"), 1710,
                                 30, 315, 315);
  QIcon star = ImageByKey(QStringLiteral("star"));
  star.addFile(QStringLiteral(":/images/images/star-on.svg"), QSize(), QIcon::Normal, QIcon::On);
  c.cmdFavourite->setIcon(star);
  c.cmdFavourite->setCheckable(true);
  c.cmdFavourite->setToolTip(QStringLiteral("Favourite (Ctrl+D)"));
  c.cmdRelated = PictureButton(c.Picture6, "cmdRelated", QStringLiteral("related"), QStringLiteral("Related idioms"),
                               2090, 30, 315, 315);
  c.cmdRelated->setCheckable(true);
  c.cmdChain =
      PictureButton(c.Picture6, "cmdChain", QStringLiteral("chain"), QStringLiteral("Idiom chain"), 2470, 30, 315, 315);
  for (auto [button, key] : {std::pair{c.cmdRelated, "TIPRELATED"}, {c.cmdChain, "TIPCHAIN"}})
    button->setProperty("toolTipKey", QLatin1String(key));
  c.Command10 = MakeAt<QPushButton>(c.Picture6, "Command10", 4200, 30, 900, 315);
  c.Command10->setText(QStringLiteral("Setting"));
  c.Command10->setFlat(true);
  c.txtIdiom = LineBox(c.Picture6, "txtIdiom", QString(), QStringLiteral("Idiom"), 480, 520, 3735, 255);
  BoldAfterFirstPaint(c.txtIdiom);
  c.txtSpell =
      LineBox(c.Picture6, "txtSpell", QStringLiteral("Spell"), QStringLiteral("Spelling"), 480, 800, 3735, 255);
  c.lblExplain = Caption(c.Picture6, "lblExplain", QStringLiteral("Explain"), 480, 1200, 1500, 240);
  c.txtExplain = TextBox(c.Picture6, "txtExplain", QStringLiteral("Explain\n"), QStringLiteral("Explanation"), 480,
                         1460, 3855, 520);
  c.lblDerivation = Caption(c.Picture6, "lblDerivation", QStringLiteral("Derivation"), 480, 1990, 1500, 240);
  c.txtDerivation = TextBox(c.Picture6, "txtDerivation", QStringLiteral("Derivation"), QStringLiteral("Derivation"),
                            480, 2240, 3855, 620);
  c.lblExample = Caption(c.Picture6, "lblExample", QStringLiteral("Example"), 480, 2870, 1500, 240);
  c.txtExample =
      TextBox(c.Picture6, "txtExample", QStringLiteral("Example"), QStringLiteral("Example"), 480, 3120, 3975, 600);
  c.txtDetailed = TextBox(c.Picture6, "txtDetailed", QString(), QStringLiteral("Combined text"), 200, 400, 255, 3375);
  c.txtDetailed->setReadOnly(false);
  c.txtDetailed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  c.txtDetailed->hide();
  c.trvRelated = new RelatedTree(c.Picture6);
  PlaceAt(c.trvRelated, 200, 400, 255, 3375);
  CreateQuizPanel(c);
}

void CreateFooter(MainWindowControls &c) {
  c.Picture3 = Pane(c.ActiveSizer1, "Picture3", 120, 4860, 7920, 703);
  c.Image2 = Background(c.Picture3, "Image2", 0, 0, 7575, 720, QColor(0xee, 0xd9, 0xb8), QColor(0xfb, 0xf4, 0xe6));
  c.lblQuillon = Caption(c.Picture3, "lblQuillon", QStringLiteral("Velmora · CC-CEDICT idioms"), 120, 200, 4200, 300);
  c.lblStart = Caption(c.Picture3, "lblStart", QStringLiteral("Up:"), 4440, 200, 900, 300);
  c.lblUp = MakeAt<ClickableLabel>(c.Picture3, "lblUp", 5340, 200, 2460, 300);
  c.lblUp->setAccessibleDescription(QStringLiteral("Previous idiom"));
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
           c.cmdCoolNameSet,   c.cmdEmail,     c.cmdUpdate,    c.Command1,      c.cmdSetting,
           c.cmdHelp,          c.cmdAbout,     c.Command2,     c.Command3,      c.Command4,
           c.Command5,         c.cmdFavourite, c.cmdRelated,   c.cmdChain,      c.Command10,
           c.lblQuillon,       c.lblStart,     c.lblUp,        c.cmdKOVSearch,  c.cmdKOVTreeList,
           c.cmdKOVFavourites, c.cmdKOVStudy,  c.cmdMyNetDisk, c.cmdMyLinkBook, c.cmdMisCenter})
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

void FitListPaneWidth(const BrowseControls &c) {
  // Beyond its design width the pane's controls widen with it; the
  // buttons at its right edge move along.
  const int grow = std::max(0, c.picMList->width() - Px(2400));
  const auto widen = [grow](QWidget *control, double designTwips) {
    control->resize(Px(designTwips) + grow, control->height());
  };
  const auto shift = [grow](QWidget *control, double designTwips) {
    control->move(Px(designTwips) + grow, control->y());
  };
  widen(c.Image8, 2400);
  widen(c.cmdKOVTitle, 1900);
  shift(c.Command9, 1990);
  widen(c.picSearchLine, 2340);
  widen(c.txtSearchKey, 1680);
  shift(c.cmdSearch, 1720);
  widen(c.trvIdiomDir, 2340);
  widen(c.picFavourites, 2340);
  widen(c.picStudy, 2340);
  widen(c.lstKovSearch, 2295);
}

MainWindowControls CreateMainWindowControls(QWidget *client) {
  MainWindowControls c{};
  c.ActiveSizer1 = Pane(client, "ActiveSizer1", 0, 0, 8190, 5565);
  CreateBanner(c);
  CreateButtonBar(c);
  CreateListPane(c, client);
  CreateDetailPane(c);
  CreateFooter(c);
  InkOnFixedBackgrounds(c);
  c.mnuFile = new QMenu(QStringLiteral("File"), client);
  c.mnuFile->setObjectName(QStringLiteral("mnuFile"));
  c.lstKovSearch->raise();
  return c;
}

}  // namespace velmora
