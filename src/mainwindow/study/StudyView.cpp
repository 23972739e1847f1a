#include "mainwindow/study/StudyView.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>

#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "dictionary/IdiomSearch.h"
#include "dictionary/Pinyin.h"
#include "lang/Captions.h"
#include "mainwindow/DesignControls.h"
#include "mainwindow/study/StudyChartsView.h"
#include "mainwindow/study/StudyPageParts.h"
#include "mainwindow/study/StudyQuestionView.h"
#include "mainwindow/study/StudySettingsView.h"
#include "mainwindow/study/StudyTimes.h"
#include "platform/BoldFromRegular.h"
#include "platform/FileDialogs.h"
#include "platform/LanguageTexts.h"
#include "platform/Twips.h"
#include "practice/StudySession.h"

namespace velmora {

StudyView::StudyView(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picStudy"));
  SetLanguageName(this, "STUDYVIEW", "Study");
  PlaceAt(this, 30, 435, 2340, 2535);
  setEnabled(false);
  hide();
}

// The pages are made when the view is first wanted: most runs never open
// it, and its forty controls would cost the window's first frame.
void StudyView::EnsureBuilt() {
  if (pages_ != nullptr) return;
  pages_ = new QStackedWidget(this);
  pages_->addWidget(home_ = MakeHome());
  pages_->addWidget(question_ = MakeQuestion());
  pages_->addWidget(summary_ = MakeSummary());
  pages_->addWidget(progress_ = MakeProgress());
  pages_->addWidget(settings_ = new StudySettingsView);
  connect(settings_, &StudySettingsView::done, this, [this] {
    SaveSettings();
    ShowHome();
  });
  // A narrow pane or large text scrolls rather than squeezing the pages.
  auto *scroll = scroll_ = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("scrStudy"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setWidget(pages_);
  StudyColumn(this)->addWidget(scroll);
  // Made while the pane shows, it would otherwise stay hidden.
  scroll->show();
  // Controls give up width before the page outgrows the pane: a long
  // caption is cut rather than pushing the page past the pane's edge.
  for (QWidget *control : pages_->findChildren<QWidget *>())
    if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QComboBox *>(control) ||
        qobject_cast<QAbstractSpinBox *>(control))
      control->setMinimumWidth(1);
  pages_->setMinimumWidth(1);
  // Enter presses the focused button, as Space does: the pane is no dialog
  // with a default button of its own.
  for (QPushButton *button : pages_->findChildren<QPushButton *>()) button->setAutoDefault(true);
  CreateKeys();
  emit voiceWanted();
  // The new controls take the pane's place in the window's Tab order.
  QWidget *previous = tabAnchor_;
  for (QWidget *control : TabOrder()) {
    if (previous) setTabOrder(previous, control);
    previous = control;
  }
}

void StudyView::JoinTabOrderAfter(QWidget *anchor) { tabAnchor_ = anchor; }

void StudyView::showEvent(QShowEvent *event) {
  EnsureBuilt();
  // Back to a question left open: its idiom is hidden again.
  if (InSitting() && session_->CurrentStage() == StudySession::Stage::Asking) emit asking(session_->Question().idiom);
  QWidget::showEvent(event);
}

void StudyView::hideEvent(QHideEvent *event) {
  // Out of sight, the question asks nothing: the pane shows what it holds.
  emit asking(QString());
  QWidget::hideEvent(event);
}

StudyView::~StudyView() = default;

QWidget *StudyView::MakeHome() {
  auto *page = new QWidget;
  due_ = StudyLabel(page, "lblStudyDue");
  due_->setFont(BoldFromRegular(due_->font()));
  start_ = NamedButton(page, "cmdStudyStart", QString());
  SetLanguageCaption(start_, "STUDYSTART", "Start review");
  shown_ = StudyLabel(page, "lblStudyShown");
  studyShown_ = NamedButton(page, "cmdStudyShown", QString());
  SetLanguageCaption(studyShown_, "STUDYSHOWN", "Study this idiom");
  showProgress_ = NamedButton(page, "cmdStudyProgress", QString());
  SetLanguageCaption(showProgress_, "STUDYPROGRESS", "Progress");
  showSettings_ = NamedButton(page, "cmdStudySettings", QString());
  SetLanguageCaption(showSettings_, "STUDYSETTINGS", "Settings");
  export_ = NamedButton(page, "cmdStudyExport", QString());
  SetLanguageCaption(export_, "STUDYEXPORT", "Export the review log…");
  auto *column = StudyColumn(page);
  column->addWidget(due_);
  column->addWidget(start_);
  column->addWidget(shown_);
  column->addWidget(studyShown_);
  column->addStretch(1);
  auto *row = new QHBoxLayout;
  row->addWidget(showProgress_);
  row->addWidget(showSettings_);
  column->addLayout(row);
  column->addWidget(export_);
  connect(start_, &QPushButton::clicked, this, &StudyView::StartSitting);
  connect(studyShown_, &QPushButton::clicked, this, &StudyView::StudyShownIdiom);
  connect(showProgress_, &QPushButton::clicked, this, &StudyView::ShowProgress);
  connect(showSettings_, &QPushButton::clicked, this, &StudyView::ShowSettings);
  connect(export_, &QPushButton::clicked, this, &StudyView::ExportLog);
  return page;
}

StudyQuestionView *StudyView::MakeQuestion() {
  auto *page = new StudyQuestionView;
  connect(page, &StudyQuestionView::choiceMade, this, &StudyView::Choose);
  connect(page, &StudyQuestionView::gradeChosen, this, &StudyView::Grade);
  connect(page, &StudyQuestionView::lookUpRequested, this, [this] {
    if (session_) emit idiomChosen(session_->Question().idiom);
  });
  connect(page, &StudyQuestionView::playAgainRequested, this, [this] {
    if (session_) emit speakRequested(FirstReading(session_->Question().reading));
  });
  connect(page, &StudyQuestionView::goOnRequested, this, &StudyView::Advance);
  return page;
}

QWidget *StudyView::PageBackHome(QWidget *content, const char *name, const char *key, const char *caption,
                                 QPushButton **button) {
  auto *page = new QWidget;
  *button = NamedButton(page, name, QString());
  SetLanguageCaption(*button, key, caption);
  auto *column = StudyColumn(page);
  column->addWidget(content, 1);
  column->addWidget(*button);
  connect(*button, &QPushButton::clicked, this, &StudyView::ShowHome);
  return page;
}

QWidget *StudyView::MakeSummary() {
  summaryText_ = StudyLabel(nullptr, "lblStudySummary");
  summaryText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QWidget *page = PageBackHome(summaryText_, "cmdStudyDone", "STUDYDONE", "Done", &done_);
  // Left with cards still due, the button goes on with them.
  disconnect(done_, &QPushButton::clicked, this, nullptr);
  connect(done_, &QPushButton::clicked, this, [this] { goOnFromSummary_ ? StartSitting() : ShowHome(); });
  return page;
}

QWidget *StudyView::MakeProgress() {
  charts_ = new StudyChartsView(nullptr);
  return PageBackHome(charts_, "cmdStudyProgressBack", "STUDYPROGRESSBACK", "Back", &progressBack_);
}

void StudyView::CreateKeys() {
  // Choosing, grading and going on belong to the question; leaving and
  // undoing work anywhere in the view.
  const auto key = [this](const QKeySequence &keys, const std::function<void()> &action, QWidget *scope = nullptr) {
    auto *shortcut = new QShortcut(keys, scope ? scope : this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, action);
    return shortcut;
  };
  for (int i = 0; i < 4; ++i)
    key(
        QKeySequence(Qt::Key_1 + i),
        [this, i] {
          if (!InSitting()) return;
          if (session_->CurrentStage() == StudySession::Stage::Asking)
            Choose(i);
          else
            Grade(i + 1);
        },
        question_);
  key(
      QKeySequence(Qt::Key_Space), [this] { Advance(); }, question_);
  // One press undoes one grade: a held key does not go on through the log.
  key(QKeySequence(Qt::Key_U), [this] { Undo(); })->setAutoRepeat(false);
  key(QKeySequence(Qt::Key_Escape), [this] { Leave(); });
}

void StudyView::SetStore(UserStore *store, bool traditionalEdition, IdiomSearch *search) {
  session_.reset();
  user_ = store;
  search_ = search;
  store_ = store && store->IsAvailable() ? std::make_unique<StudyStore>(*store, traditionalEdition) : nullptr;
  source_ = std::make_unique<EditionQuestionSource>(
      [search]() -> const IdiomMatcher * { return search ? &search->Matcher() : nullptr; },
      [search]() -> const IdiomFrequencies * { return search ? &search->Frequencies() : nullptr; });
  if (store_) session_ = std::make_unique<StudySession>(*store_, *source_);
  setEnabled(store_ != nullptr);
  AnnounceDue();
}

bool StudyView::InSitting() const {
  return session_ && pages_ != nullptr && pages_->currentWidget() == question_ &&
         (session_->CurrentStage() == StudySession::Stage::Asking ||
          session_->CurrentStage() == StudySession::Stage::Answered);
}

int StudyView::DueToday() const { return session_ ? session_->DueToday(Now()) : 0; }

void StudyView::AnnounceDue() { emit dueChanged(DueToday()); }

void StudyView::RecountDue() {
  if (!session_) return;
  std::vector<QString> favourites;
  for (const auto &entry : user_->Favourites()) favourites.push_back(entry.idiom);
  store_->FollowFavourites(favourites, Now());
  AnnounceDue();
}

void StudyView::Refresh() {
  EnsureBuilt();
  if (!session_) return;
  std::vector<QString> favourites, recent;
  for (const auto &entry : user_->Favourites()) favourites.push_back(entry.idiom);
  const StudySettings settings = StudySettings::Read(*store_);
  const int days = settings.historyDays;
  const QDateTime since = QDateTime::currentDateTime().addDays(-days);
  for (const auto &entry : user_->History())
    if (entry.when >= since) recent.push_back(entry.idiom);
  // The edition's list is needed only for its new idioms: the matcher is
  // not waited for otherwise.
  const IdiomMatcher *matcher = settings.fromEdition && search_ ? &search_->Matcher() : nullptr;
  // The dictionary's new idioms come common first.
  const std::vector<int> *order = matcher ? &search_->RowsCommonFirst() : nullptr;
  const int rows = order ? std::min(matcher->size(), static_cast<int>(order->size())) : 0;
  session_->Prepare(Now(), favourites, recent, rows,
                    [matcher, order](int i) { return matcher->IdiomAt((*order)[static_cast<size_t>(i)]); });
  if (!InSitting()) ShowHome();
}

QWidget *StudyView::FocusTarget() {
  EnsureBuilt();
  if (pages_->currentWidget() == question_) return question_;
  if (pages_->currentWidget() == home_) {
    // The first button that takes the focus: with nothing due, Start is off.
    for (QWidget *button : {static_cast<QWidget *>(start_), static_cast<QWidget *>(studyShown_)})
      if (button->isEnabled() && !button->isHidden()) return button;
    return showProgress_;
  }
  return pages_->currentWidget();
}

QList<QWidget *> StudyView::TabOrder() const {
  if (pages_ == nullptr) return {};
  return QList<QWidget *>{start_, studyShown_, showProgress_, showSettings_, export_} + question_->TabOrder() +
         QList<QWidget *>{done_, progressBack_} + settings_->TabOrder();
}

void StudyView::ShowHome() {
  if (pages_ == nullptr) return;
  const int64_t now = Now();
  const int due = DueToday();
  due_->setText(due == 0
                    ? CaptionOr("STUDYNONEDUE", "Nothing is due today.")
                    : CountCaption(due, "STUDYDUEONE", "1 idiom due today", "STUDYDUEMANY", "%1 idioms due today"));
  const auto next = store_ ? store_->NextDueTime() : std::nullopt;
  if (due == 0 && next)
    due_->setText(CaptionOr("STUDYNONEDUENEXT", "Nothing is due today. Next: %1.").arg(WhenDue(*next, now)));
  // What to do next: start, or how to have something to study.
  if (due > 0)
    due_->setText(CaptionOr("STUDYDUESTART", "%1 — Enter or Space to start").arg(due_->text()));
  else if (!next)
    due_->setText(due_->text() + QLatin1Char('\n') +
                  CaptionOr("STUDYHOWTOGET",
                            "Star idioms with Ctrl+D to study them, or take new idioms from the "
                            "dictionary in the study settings."));
  start_->setEnabled(due > 0 || (store_ && store_->NextDue(now, StudySession::kLearnAheadSeconds)));
  ShowWhereShownStands();
  pages_->setCurrentWidget(home_);
  scroll_->ensureVisible(0, 0);  // the page from its top, where what is due is told
  emit dueChanged(due);
}

void StudyView::ShowIdiom(const IdiomRecord &record) {
  shownIdiom_ = record.idiom;
  if (pages_ != nullptr) ShowWhereShownStands();
}

void StudyView::ShowWhereShownStands() {
  if (!store_ || shownIdiom_.isEmpty()) {
    shown_->clear();
    studyShown_->hide();
    return;
  }
  const auto card = store_->CardOf(shownIdiom_);
  if (!card || card->suspended)
    shown_->setText(CaptionOr("STUDYNOTIN", "%1 is not in your review.").arg(shownIdiom_));
  else if (card->memory.reps == 0)
    shown_->setText(CaptionOr("STUDYNEWCARD", "%1: new, waiting for its first review.").arg(shownIdiom_));
  else
    shown_->setText(CaptionOr("STUDYSTANDS", "%1: reviewed %2×, due %3.")
                        .arg(shownIdiom_)
                        .arg(card->memory.reps)
                        .arg(WhenDue(card->memory.due, Now())));
  studyShown_->setVisible(!card || card->suspended);
}

void StudyView::StudyShownIdiom() {
  if (!store_ || shownIdiom_.isEmpty()) return;
  // Chosen here, it is studied like a favourite's card is, but is not one.
  store_->AddCards({shownIdiom_}, QStringLiteral("chosen"), Now());
  ShowHome();
}

void StudyView::ShowProgress() {
  if (!store_) return;
  charts_->Load(user_->Path(), Now(), store_ ? store_->DayStartHour() : kDefaultDayStartHour);
  pages_->setCurrentWidget(progress_);
  progressBack_->setFocus(Qt::OtherFocusReason);
}

void StudyView::ShowSettings() {
  if (!store_) return;
  settings_->Show(StudySettings::Read(*store_));
  pages_->setCurrentWidget(settings_);
  settings_->FirstControl()->setFocus(Qt::OtherFocusReason);
}

void StudyView::SaveSettings() {
  if (!store_) return;
  settings_->Chosen().Write(*store_);
  Refresh();
}

void StudyView::ExportLog() {
  if (!store_) return;
  SaveToChosenFile(
      window(), CaptionOr("STUDYEXPORTTITLE", "Export the review log"), QStringLiteral("velmora-review-log.csv"),
      CaptionOr("CSVFILES", "CSV (*.csv)"), [this] { return store_->ReviewLogCsv(); },
      CaptionOr("STUDYLOG", "The review log"));
}

}  // namespace velmora
