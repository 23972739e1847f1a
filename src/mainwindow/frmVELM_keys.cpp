// The main window from the keyboard: shortcuts, the order of Tab, and the
// way back and forward through the idioms shown in this run.
#include <QAction>
#include <QApplication>
#include <QShortcut>

#include "frmVELM.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/detail/QuizView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/BrowseButtons.h"
#include "platform/ShortcutToolTip.h"

namespace velmora {

namespace {

void Shortcut(QWidget *window, const QKeySequence &keys, const std::function<void()> &action) {
  auto *shortcut = new QShortcut(keys, window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, action);
}

}  // namespace

void frmVELM::CreateShortcuts() {
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_L), [this] { FocusSearchBox(); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_F), [this] { FocusSearchBox(); });
  Shortcut(this, QKeySequence(Qt::Key_F1), [this] { c_.cmdHelp->click(); });
  Shortcut(this, QKeySequence(Qt::ALT | Qt::Key_Left), [this] { GoBack(); });
  Shortcut(this, QKeySequence(Qt::ALT | Qt::Key_Right), [this] { GoForward(); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_D), [this] {
    if (c_.cmdFavourite->isEnabled()) c_.cmdFavourite->click();
  });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_1), [this] { c_.cmdKOVSearch->click(); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_2), [this] { c_.cmdKOVTreeList->click(); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_3), [this] {
    if (c_.cmdKOVFavourites->isEnabled()) c_.cmdKOVFavourites->click();
  });
  for (const auto &[control, keys] : {std::pair<QWidget *, QKeySequence>{c_.cmdFavourite, Qt::CTRL | Qt::Key_D},
                                      {c_.cmdKOVSearch, Qt::CTRL | Qt::Key_1},
                                      {c_.cmdKOVTreeList, Qt::CTRL | Qt::Key_2},
                                      {c_.cmdKOVFavourites, Qt::CTRL | Qt::Key_3},
                                      {c_.cmdHelp, Qt::Key_F1}})
    NameShortcutInToolTip(control, keys);
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { detail_->Zoom(1); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { detail_->Zoom(1); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus), [this] { detail_->Zoom(1); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { detail_->Zoom(-1); });
  Shortcut(this, QKeySequence(Qt::CTRL | Qt::Key_0), [this] { detail_->Zoom(0); });
  new BrowseButtons(
      this, [this] { GoBack(); }, [this] { GoForward(); });
  // Labels that act on a click are reached with Tab and act on Enter.
  for (ClickableLabel *label : {c_.imgLogo, c_.lblUp}) label->ReachWithTab();
}

void frmVELM::SetTabOrder() {
  // Where a reader's eye goes: the search, the list, the idiom and its
  // boxes, the footer, then the banner and the button bar.
  QList<QWidget *> order = {c_.txtSearchKey, c_.cmdSearch, c_.lstKovSearch, c_.trvIdiomDir};
  order += c_.picFavourites->TabOrder();
  c_.picStudy->JoinTabOrderAfter(order.last());
  order += c_.picStudy->TabOrder();
  order +=
      {c_.Command2, c_.Command4, c_.Command3, c_.Command5, c_.cmdFavourite, c_.cmdRelated, c_.cmdChain, c_.cmdLookup};
  order += c_.Picture5->TabOrder();
  order += {c_.txtIdiom,         c_.txtSpell,    c_.txtExplain,   c_.txtDerivation,  c_.txtExample,   c_.txtDetailed,
            c_.trvRelated,       c_.lblUp,       c_.imgLogo,      c_.cmdCoolNameSet, c_.cmdEmail,     c_.cmdUpdate,
            c_.Command1,         c_.cmdSetting,  c_.cmdHelp,      c_.cmdAbout,       c_.cmdKOVSearch, c_.cmdKOVTreeList,
            c_.cmdKOVFavourites, c_.cmdKOVStudy, c_.cmdMyNetDisk, c_.cmdMyLinkBook,  c_.cmdMisCenter, c_.cmdKOVTitle,
            c_.Command9,         c_.Command10};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmVELM::FocusSearchBox() {
  if (browse_->CurrentView() != View::Search) browse_->ShowView(View::Search);
  c_.txtSearchKey->setFocus(Qt::ShortcutFocusReason);
  c_.txtSearchKey->selectAll();
}

void frmVELM::GoBack() {
  if (const auto idiom = reader_.Back()) reader_.ShowIdiom(*idiom, Reader::Reason::Browsed);
}

void frmVELM::GoForward() {
  if (const auto idiom = reader_.Forward()) reader_.ShowIdiom(*idiom, Reader::Reason::Browsed);
}

}  // namespace velmora
