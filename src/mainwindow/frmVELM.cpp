// The main window: its panes made and wired together, and its start.
#include "frmVELM.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <utility>

#include "config/InstallLayout.h"
#include "config/ProgramValues.h"
#include "config/StartupTrace.h"
#include "data/ConnString.h"
#include "data/UserStore.h"
#include "dialogs/frmSysSetting.h"
#include "mainwindow/browse/FavouritesView.h"
#include "mainwindow/browse/NodeTree.h"
#include "mainwindow/connections/RelatedTree.h"
#include "mainwindow/detail/QuizView.h"
#include "mainwindow/study/StudyView.h"
#include "platform/LanguageTexts.h"
#include "platform/MessageBoxes.h"
#include "platform/QtTranslations.h"
#include "platform/Twips.h"
#include "platform/WindowLanguage.h"

namespace velmora {

frmVELM::frmVELM(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("frmVELM"));
  setWindowTitle(QStringLiteral("Velmora 1.0 Beta"));
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  setCentralWidget(client);
  c_ = CreateMainWindowControls(client);
  TraceStartup("controls-made");
  matchPopup_ = new MatchPopup(client);
  browse_ = new BrowsePane(c_, matchPopup_, reader_, search_, this);
  detail_ = new DetailPane(c_, reader_, {c_.lstKovSearch, matchPopup_}, this);
  auto *teaching = new TeachingPane(c_, reader_, search_, this);
  banner_ = new BannerPane(c_, this);
  footer_ = new FooterBar(c_, reader_, this);
  connections_ = new ConnectionsPane(c_, reader_, search_, this);
  characters_ = new CharactersPane(c_, reader_, search_, this);
  connect(teaching, &TeachingPane::characterChosen, characters_, &CharactersPane::OpenCharacter);
  study_ = new StudyPane(c_.picStudy, c_.cmdKOVStudy, reader_, search_, this);
  lookup_ =
      new LookupService(this, c_.cmdLookup, search_,
                        {[this](const QString &key) { browse_->SearchAgain(key); },
                         [this](const QString &text) { detail_->Say(text); }, [this] { detail_->ShowFavouriteState(); },
                         [this](const std::vector<QString> &idioms) { study_->StudyIdioms(idioms); },
                         [this](const QString &idiom) { return study_->InStudy(idiom); }});
  TraceStartup("panes-made");
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
  connect(c_.picFavourites, &FavouritesView::favouritesChanged, detail_, &DetailPane::ShowFavouriteState);
  connect(detail_, &DetailPane::favouritesChanged, this, [this] {
    if (browse_->CurrentView() == View::Favourites) c_.picFavourites->Refresh();
  });
  connect(detail_, &DetailPane::favouritesChanged, study_, &StudyPane::RecountDue);
  connect(c_.picFavourites, &FavouritesView::favouritesChanged, study_, &StudyPane::RecountDue);
  connect(&browse_->SearchList(), &SearchController::idiomDue, this, [this](const QString &idiom, bool chosen) {
    // The first idiom of a run is shown by itself.
    const Reader::Reason reason = std::exchange(startIdiomPending_, false) ? Reader::Reason::Start
                                  : chosen                                 ? Reader::Reason::Chosen
                                                                           : Reader::Reason::Passing;
    reader_.ShowIdiom(idiom, reason);
  });
  connect(banner_, &BannerPane::settingsRequested, this, &frmVELM::OpenSettings);
  connect(c_.picStudy, &StudyView::speakRequested, detail_, &DetailPane::Say);
  connect(c_.picStudy, &StudyView::idiomChosen, browse_, &BrowsePane::ShowChosenIdiom);
  connect(browse_, &BrowsePane::studyViewShown, study_, &StudyPane::SetShown);
  connect(browse_, &BrowsePane::studyFocusWanted, study_, &StudyPane::Focus);
  connect(connections_, &ConnectionsPane::idiomChosen, browse_, &BrowsePane::ShowChosenIdiom);
  connect(characters_, &CharactersPane::idiomChosen, browse_, &BrowsePane::ShowChosenIdiom);
  connect(connections_, &ConnectionsPane::relatedShown, detail_, &DetailPane::HideLaidOver);
  connect(detail_, &DetailPane::voiceReady, c_.picStudy, &StudyView::SetVoiceAvailable);
  connect(c_.picStudy, &StudyView::voiceWanted, detail_, &DetailPane::PrepareVoice);
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
  if (browse_->CurrentView() == View::Search)
    c_.txtSearchKey->setFocus(Qt::ActiveWindowFocusReason);
  else
    browse_->FocusCurrentView();
  QCoreApplication::processEvents();
  detail_->StartSpeech();
  TraceStartup("voice-ready");
}

// The user's language, name and logo, again after the settings dialog.
void frmVELM::RefreshUserPanel() {
  UseQtTranslationsFor(LangName());
  SetFormFont(this);
  SetLblCaption(this, LangName());
  SetToolTips(this);
  // The texts beyond the design's captions, the open dialogs' too.
  Retranslate(this);
  study_->ApplyLanguage();
  characters_->ApplyLanguage();
  detail_->ApplyLanguage();
  browse_->ReadViewTitles();

  banner_->ShowUser();
  footer_->ShowDataCredit();
  detail_->ApplyTextScale();
}

void frmVELM::OpenSettings() {
  {
    frmSysSetting dialog;
    dialog.exec();
  }
  RefreshUserPanel();
  ArrangeControls();
}

// The user's store of favourites and history, opened for the edition in use.
void frmVELM::OpenUserStore() {
  // Favourites are kept per edition: the two editions spell idioms in
  // different scripts.
  const QString edition = QFileInfo(ConnStringPart(ConnString(), QStringLiteral("Data Source"))).fileName().toLower();
  userStore_ = std::make_unique<UserStore>(UserStorePath(), edition);
  const QString gb = DataFileName(QStringLiteral("GB")).toLower(),
                big5 = DataFileName(QStringLiteral("BIG5")).toLower();
  if (edition == gb || edition == big5)
    userStore_->SetOtherEdition(edition == gb ? big5 : gb,
                                [this](const QString &idiom) { return search_.OtherScriptOf(idiom); });
  reader_.SetStore(userStore_.get());
  connections_->SetStore(userStore_.get());
  lookup_->SetStore(userStore_.get());
  browse_->SetStore(userStore_.get());
  study_->SetStore(userStore_.get(), edition == big5);
  detail_->ShowStore(*userStore_, UserStorePath());
  // Once the window is on the screen: it says what happened to the window's content.
  if (const QString notice = userStore_->Notice(UserStorePath()); !notice.isEmpty())
    QTimer::singleShot(0, this, [notice] {
      ShowMessageBox({notice, kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
    });
}

}  // namespace velmora
