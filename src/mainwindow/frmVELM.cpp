// The main window's start, its fields and its two browsing views.
#include "frmVELM.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QTimer>
#include <utility>

#include "config/StartupTrace.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "data/UserStore.h"
#include "dictionary/FinderSource.h"
#include "platform/Twips.h"

namespace velmora {

frmVELM::frmVELM(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmVELM"));
  setWindowTitle(QStringLiteral("Velmora 1.0 Beta"));
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  c_ = CreateMainWindowControls(client);
  matchPopup_ = new MatchPopup(client);
  searchList_ = new IdiomSearchList(c_.txtSearchKey, c_.lstKovSearch, matchPopup_, this);
  detail_ = new DetailPane(c_, reader_, {c_.lstKovSearch, matchPopup_}, this);
  banner_ = new BannerPane(c_, this);
  footer_ = new FooterBar(c_, reader_, this);
  ConnectHandlers();
  CreateShortcuts();
  SetTabOrder();
  client->installEventFilter(this);
  client->setMinimumSize(Px(kMinimumClientTwips.width()), Px(kMinimumClientTwips.height()));
  for (size_t i = 0; i < paneTwips_.size(); ++i) paneTwips_[i] = DesignRect(static_cast<Pane>(i));
  resize(Px(kDesignClientTwips.width()), Px(kDesignClientTwips.height()));
}

frmVELM::~frmVELM() = default;

void frmVELM::ConnectHandlers() {
  connect(c_.cmdKOVSearch, &QAbstractButton::clicked, this, &frmVELM::cmdKOVSearch_Click);
  connect(c_.cmdKOVTreeList, &QAbstractButton::clicked, this, &frmVELM::cmdKOVTreeList_Click);
  connect(footer_, &FooterBar::previousChosen, this, &frmVELM::lblUp_DblClick);
  connect(c_.cmdKOVFavourites, &QAbstractButton::clicked, this, &frmVELM::cmdKOVFavourites_Click);
  connect(c_.picFavourites, &FavouritesPanel::idiomChosen, this, &frmVELM::ShowChosenIdiom);
  connect(c_.picFavourites, &FavouritesPanel::exportRequested, this, &frmVELM::ExportFavourites);
  connect(c_.picFavourites, &FavouritesPanel::favouritesChanged, detail_, &DetailPane::ShowFavouriteState);
  connect(detail_, &DetailPane::favouritesChanged, this, [this] {
    if (viewMode_ == kFavouritesView) c_.picFavourites->Refresh();
  });

  connect(c_.trvIdiomDir, &NodeTree::nodeClicked, this, &frmVELM::trvIdiomDir_NodeClick);
  connect(searchList_, &IdiomSearchList::idiomDue, this, [this](const QString &idiom, bool chosen) {
    // The first idiom of a run is shown by itself.
    const Reader::Reason reason = std::exchange(startIdiomPending_, false) ? Reader::Reason::Start
                                  : chosen                                 ? Reader::Reason::Chosen
                                                                           : Reader::Reason::Passing;
    reader_.ShowIdiom(idiom, reason);
  });
  connect(c_.cmdSearch, &QAbstractButton::clicked, searchList_, &IdiomSearchList::SearchNow);
  connect(&reader_, &Reader::recorded, this, [this] {
    if (viewMode_ == kFavouritesView) c_.picFavourites->Refresh();
  });
  connect(banner_, &BannerPane::settingsRequested, this, &frmVELM::OpenSettings);
}

void frmVELM::showEvent(QShowEvent *event) {
  if (!loaded_) Load();
  QMainWindow::showEvent(event);
}

bool frmVELM::eventFilter(QObject *watched, QEvent *event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) {
    matchPopup_->hide();
    LayOutPanes();
    ArrangeControls();
    banner_->Form_Resize();
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmVELM::Load() {
  loaded_ = true;
  viewMode_ = kSearchView;
  RefreshUserPanel();
  LoadIdiomList();
  TraceStartup("list-filled");
  OpenUserStore();
  RestoreView();
  // A key typed the moment the window opens lands in the search box (or,
  // in a view remembered from the last run, in that view's list or tree).
  if (viewMode_ == kSearchView) c_.txtSearchKey->setFocus(Qt::ActiveWindowFocusReason);
  else FocusCurrentView();
  QCoreApplication::processEvents();
  detail_->StartSpeech();
  TraceStartup("voice-ready");
}

void frmVELM::LoadIdiomList() {
  if (const auto code = HighestCode()) maxIdiomCode_ = *code;
  c_.Picture5->SetHighestCode(maxIdiomCode_);
  IdiomList list = AllIdioms();
  ReleaseQueryCaches();
  auto finderSource = FinderSource(list, ConnString());
  auto matcherSource = MatcherSource(list, ConnString());
  searchList_->Fill(std::move(list), std::move(finderSource), std::move(matcherSource));
}

void frmVELM::ApplyViewMode() {
  c_.picFavourites->setVisible(viewMode_ == kFavouritesView);
  c_.cmdKOVFavourites->resize(Px(viewMode_ == kFavouritesView ? 428 : 400), c_.cmdKOVFavourites->height());
  if (viewMode_ == kSearchView) {
    c_.cmdKOVTitle->setText(searchViewTitle_);
    c_.cmdKOVTreeList->resize(Px(400), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(428), c_.cmdKOVSearch->height());
    c_.picSearchLine->show();
    c_.lstKovSearch->show();
    c_.trvIdiomDir->hide();
  } else if (viewMode_ == kIndexView) {
    c_.cmdKOVTitle->setText(treeViewTitle_);
    c_.picSearchLine->hide();
    c_.trvIdiomDir->show();
    c_.lstKovSearch->hide();
    if (!treeLoaded_) {
      QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
      LoadIdiomTree();
      QGuiApplication::restoreOverrideCursor();
      treeLoaded_ = true;
    }
    c_.cmdKOVTreeList->resize(Px(428), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  } else if (viewMode_ == kFavouritesView) {
    c_.cmdKOVTitle->setText(favouritesViewTitle_);
    c_.picSearchLine->hide();
    c_.lstKovSearch->hide();
    c_.trvIdiomDir->hide();
    c_.picFavourites->Refresh();
    c_.cmdKOVTreeList->resize(Px(400), c_.cmdKOVTreeList->height());
    c_.cmdKOVSearch->resize(Px(400), c_.cmdKOVSearch->height());
  }
}

void frmVELM::cmdKOVSearch_Click() {
  viewMode_ = kSearchView;
  ApplyViewMode();
  FocusCurrentView();
}

void frmVELM::cmdKOVTreeList_Click() {
  viewMode_ = kIndexView;
  ApplyViewMode();
  FocusCurrentView();
}

void frmVELM::cmdKOVFavourites_Click() {
  viewMode_ = kFavouritesView;
  ApplyViewMode();
  FocusCurrentView();
}

void frmVELM::FocusCurrentView() {
  if (viewMode_ == kSearchView) c_.lstKovSearch->setFocus(Qt::TabFocusReason);
  else if (viewMode_ == kIndexView) c_.trvIdiomDir->setFocus(Qt::TabFocusReason);
  else if (viewMode_ == kFavouritesView) c_.picFavourites->CurrentList()->setFocus(Qt::TabFocusReason);
}

void frmVELM::lblUp_DblClick(const QString &previous) {
  c_.txtSearchKey->setText(QString());
  c_.txtSearchKey->setText(previous);
  viewMode_ = kSearchView;
  ApplyViewMode();
  // Going back to it is a choice of it.
  searchList_->SearchNow();
}

}  // namespace velmora
