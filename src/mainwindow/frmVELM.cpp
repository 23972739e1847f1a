// The main window: its panes made and wired together, and its start.
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
  browse_ = new BrowsePane(c_, matchPopup_, reader_, this);
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
  connect(footer_, &FooterBar::previousChosen, browse_, &BrowsePane::SearchAgain);
  connect(c_.picFavourites, &FavouritesPanel::favouritesChanged, detail_, &DetailPane::ShowFavouriteState);
  connect(detail_, &DetailPane::favouritesChanged, this, [this] {
    if (browse_->CurrentView() == View::Favourites) c_.picFavourites->Refresh();
  });
  connect(&browse_->SearchList(), &IdiomSearchList::idiomDue, this, [this](const QString &idiom, bool chosen) {
    // The first idiom of a run is shown by itself.
    const Reader::Reason reason = std::exchange(startIdiomPending_, false) ? Reader::Reason::Start
                                  : chosen                                 ? Reader::Reason::Chosen
                                                                           : Reader::Reason::Passing;
    reader_.ShowIdiom(idiom, reason);
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
  RefreshUserPanel();
  browse_->LoadIdiomList();
  c_.Picture5->SetHighestCode(browse_->MaxIdiomCode());
  TraceStartup("list-filled");
  OpenUserStore();
  RestoreView();
  // A key typed the moment the window opens lands in the search box (or,
  // in a view remembered from the last run, in that view's list or tree).
  if (browse_->CurrentView() == View::Search) c_.txtSearchKey->setFocus(Qt::ActiveWindowFocusReason);
  else browse_->FocusCurrentView();
  QCoreApplication::processEvents();
  detail_->StartSpeech();
  TraceStartup("voice-ready");
}

}  // namespace velmora
