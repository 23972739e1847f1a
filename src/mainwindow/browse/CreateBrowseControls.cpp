#include "mainwindow/browse/CreateBrowseControls.h"

#include <QHeaderView>
#include <QPointer>

#include "mainwindow/DesignControls.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "platform/AfterFirstPaint.h"
#include "platform/LanguageTexts.h"
#include "platform/RowListView.h"

namespace velmora {

void CreateButtonBar(BrowseControls &c, QWidget *sizer) {
  c.Picture4 = Pane(sizer, "Picture4", 2, 885, 463, 3975);
  c.Image4 = Background(c.Picture4, "Image4", 0, 0, 480, 3975, QColor(0xe6, 0xcf, 0xa8), QColor(0xf6, 0xea, 0xd4),
                        Qt::Horizontal);
  // Four tab buttons for the views, then the buttons without behaviour.
  c.cmdKOVSearch = PictureButton(c.Picture4, "cmdKOVSearch", QStringLiteral("kovsearch"), "ACCSEARCHVIEW",
                                 "Search view", 20, 120, 428, 640);
  c.cmdKOVTreeList = PictureButton(c.Picture4, "cmdKOVTreeList", QStringLiteral("kovtree"), "ACCINDEXVIEW",
                                   "Index view", 20, 800, 400, 640);
  c.cmdKOVFavourites = PictureButton(c.Picture4, "cmdKOVFavourites", QStringLiteral("kovfavourites"),
                                     "ACCFAVOURITESVIEW", "Favourites view", 20, 1480, 400, 640);
  c.cmdKOVStudy = PictureButton(c.Picture4, "cmdKOVStudy", QStringLiteral("kovstudy"), "ACCSTUDYVIEW", "Study view", 20,
                                2160, 400, 640);
  c.cmdMyNetDisk = PictureButton(c.Picture4, "cmdMyNetDisk", QStringLiteral("home"), "ACCMYNETDISK", "My Net Disk", 20,
                                 2880, 400, 340);
  c.cmdMyLinkBook = PictureButton(c.Picture4, "cmdMyLinkBook", QStringLiteral("page"), "ACCMYLINKBOOK", "My Link Book",
                                  20, 3240, 400, 340);
  c.cmdMisCenter = PictureButton(c.Picture4, "cmdMisCenter", QStringLiteral("info"), "ACCMISCENTER", "Misc Center", 20,
                                 3600, 400, 340);
  for (QToolButton *tab : {c.cmdKOVSearch, c.cmdKOVTreeList, c.cmdKOVFavourites, c.cmdKOVStudy})
    tab->setAutoRaise(false);
}

void CreateListPane(BrowseControls &c, QWidget *sizer, QWidget *client) {
  c.picMList = Pane(sizer, "picMList", 465, 885, 2400, 3975);
  c.Image8 = Background(c.picMList, "Image8", 0, 0, 2400, 390, QColor(0xb8, 0x3a, 0x2f), QColor(0x8e, 0x27, 0x20));
  c.cmdKOVTitle = MakeAt<QPushButton>(c.picMList, "cmdKOVTitle", 30, 45, 1900, 300);
  c.cmdKOVTitle->setText(QStringLiteral("KOV Search"));
  c.cmdKOVTitle->setFlat(true);
  c.cmdKOVTitle->setStyleSheet(QStringLiteral("color: white; text-align: left;"));
  BoldAfterFirstPaint(c.cmdKOVTitle);
  c.Command9 = PictureButton(c.picMList, "Command9", QStringLiteral("home"), "TIPHOME", "Velmora", 1990, 45, 330, 300);
  c.Command9->setProperty("toolTipKey", QStringLiteral("TIPHOME"));
  c.picSearchLine = Pane(c.picMList, "picSearchLine", 30, 435, 2340, 400);
  c.txtSearchKey = MakeAt<QLineEdit>(c.picSearchLine, "txtSearchKey", 0, 40, 1680, 330);
  SetLanguageName(c.txtSearchKey, "ACCSEARCHBOX", "Search");
  SetLanguageText(c.txtSearchKey, TextRole::Placeholder, "SEARCHHINT", "成语 / pinyin / meaning");
  // The clear button's icon comes from the icon theme, which is read when
  // the button is made; the box is empty in the first frame anyway.
  AfterFirstPaint(client->window(), [box = QPointer<QLineEdit>(c.txtSearchKey)] {
    if (box) box->setClearButtonEnabled(true);
  });
  c.cmdSearch = MakeAt<QPushButton>(c.picSearchLine, "cmdSearch", 1720, 40, 620, 330);
  c.cmdSearch->setText(QStringLiteral("Search"));
  c.trvIdiomDir = MakeAt<NodeTree>(c.picMList, "trvIdiomDir", 30, 435, 2340, 2535);
  SetLanguageName(c.trvIdiomDir, "ACCINDEX", "Index");
  c.trvIdiomDir->hide();
  c.picFavourites = new FavouritesView(c.picMList);
  c.lstKovSearch = MakeAt<RowListView>(client, "lstKovSearch", 520, 1720, 2295, 2775);
  SetLanguageName(c.lstKovSearch, "ACCIDIOMLIST", "Idiom list");
  c.lstKovSearch->setEditTriggers(QAbstractItemView::NoEditTriggers);
  c.lstKovSearch->horizontalHeader()->setStretchLastSection(true);
  c.lstKovSearch->horizontalHeader()->setMinimumSectionSize(8);
  c.lstKovSearch->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
  widen(c.lstKovSearch, 2295);
}

}  // namespace velmora
