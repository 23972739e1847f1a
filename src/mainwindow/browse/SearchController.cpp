#include "mainwindow/browse/SearchController.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <utility>

#include <QLineEdit>
#include <QPointer>
#include <QTreeView>
#include "config/StartupTrace.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/MeaningSearch.h"
#include "platform/AfterFirstPaint.h"

namespace velmora {

namespace {

// Waits for work still running; a future whose result was taken is done.
template <class T>
void Settle(const QFutureWatcher<T> &watcher) {
  QFuture<T> future = watcher.future();
  if (future.isValid()) future.waitForFinished();
}

}  // namespace

SearchController::SearchController(QLineEdit *searchKey, QTreeView *list, MatchPopup *matches, QObject *parent)
    : QObject(parent), searchKey_(searchKey), list_(list), matches_(matches), searchPalette_(searchKey->palette()) {
  list_->setModel(&model_);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(100);
  timer1_.setSingleShot(true);
  connect(searchKey_, &QLineEdit::textChanged, this, &SearchController::txtSearchKey_Change);
  connect(list_, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
    // A click is a choice; moving through the list with the keys is not.
    if (index.isValid()) chosen_ = true;
    lstKovSearch_RowNotify(index.row());
  });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex &current) { lstKovSearch_RowNotify(current.isValid() ? current.row() : -1); });
  connect(&timer1_, &QTimer::timeout, this, &SearchController::Timer1_Timer);
  connect(&finderWatcher_, &QFutureWatcher<IdiomFinder>::finished, this, [this] {
    if (!finder_) Finder();
    StartMatcher();
  });
  connect(&matcherWatcher_, &QFutureWatcher<IdiomMatcher>::finished, this, [this] {
    TraceStartup("matcher-ready");
    // A search that waited for the matcher (a key handed over at the start)
    // has shown and chosen its matches already: the list is not opened again.
    if (!matcher_) UpdateMatches();
  });
  connect(matches_, &MatchPopup::chosen, this, &SearchController::Choose);
  searchKey_->installEventFilter(this);
  list_->installEventFilter(this);
  listViewport_ = list_->viewport();
  listViewport_->installEventFilter(this);
}

SearchController::~SearchController() {
  Settle(finderWatcher_);
  Settle(matcherWatcher_);
}

void SearchController::Fill(IdiomList list, std::function<IdiomFinder()> finderSource,
                            std::function<IdiomMatcher()> matcherSource) {
  Settle(finderWatcher_);
  Settle(matcherWatcher_);
  finder_.reset();
  matcher_.reset();
  finderSource_ = std::move(finderSource);
  matcherSource_ = std::move(matcherSource);
  // On a machine of two cores the workers would take the processor from
  // the first frame: they start once it is on the screen.
  AfterFirstPaint(list_->window(), [self = QPointer<SearchController>(this)] {
    if (!self) return;
    self->model_.RevealAll();
    self->StartFinder();
  });
  idioms_ = list;
  // A screenful and more, however large the window: the rest come after the
  // first frame, or the moment a row of them is wanted.
  constexpr int kRowsBeforeFirstFrame = 512;
  model_.SetList(std::move(list), kRowsBeforeFirstFrame);
  list_->header()->resizeSection(0, 20);
  list_->header()->resizeSection(1, 120);
  if (model_.rowCount() > 0) {
    SetCurrentRow(0);
    ScheduleDisplay();
  }
}

int SearchController::CurrentRow() const {
  const QModelIndex current = list_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void SearchController::SetCurrentRow(int row) {
  if (row >= model_.rowCount()) model_.RevealAll();
  const QModelIndex index = model_.index(row, 1);
  list_->setCurrentIndex(index);
  list_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void SearchController::ScheduleDisplay() {
  listPickFlag_ = 1;
  if (!timer1_.isActive()) timer1_.start();
}

void SearchController::StartFinder() {
  if (!finderSource_) return;
  finderWatcher_.setFuture(QtConcurrent::run(std::move(finderSource_)));
  finderSource_ = nullptr;
}

const IdiomFinder &SearchController::Finder() {
  if (!finder_) {
    StartFinder();
    QFuture<IdiomFinder> made = finderWatcher_.future();
    if (made.isValid()) made.waitForFinished();
    finder_ = made.isValid() && made.resultCount() > 0 ? made.takeResult() : IdiomFinder();
    TraceStartup("search-ready");
  }
  return *finder_;
}

void SearchController::txtSearchKey_Change() {
  // A key typed after Enter makes the idiom still to be shown one passed,
  // not one chosen.
  chosen_ = false;
  UpdateMatches(false);
  int row = Finder().Find(searchKey_->text().trimmed());
  // A row the type-ahead reaches (or the row an earlier key reached, when
  // it reaches none) that the key does not match in any way the match list
  // knows is no answer: the best match is shown instead, and with no match
  // at all the idiom on display stays.
  if (matcher_ && !searchKey_->text().trimmed().isEmpty()) {
    if (found_.empty()) return;
    if (row < 0 ||
        std::none_of(found_.begin(), found_.end(), [row](const IdiomMatcher::Match &m) { return m.row == row; }))
      row = found_.front().row;
  }
  if (row < 0) return;
  SetCurrentRow(row);
  ScheduleDisplay();
}

void SearchController::SearchNow() {
  UpdateMatches();
  if (matches_->isVisible() && matches_->HasMatches())
    Choose(matches_->ChosenListRow());
  else if (!found_.empty())
    Choose(found_.front().row);
}

void SearchController::StartMatcher() {
  StartFinder();  // when the matcher is wanted before the first frame
  if (!matcherSource_) return;
  matcherWatcher_.setFuture(QtConcurrent::run(std::move(matcherSource_)));
  matcherSource_ = nullptr;
}

const IdiomMatcher *SearchController::Matcher() {
  if (!matcher_) {
    StartMatcher();
    QFuture<IdiomMatcher> made = matcherWatcher_.future();
    if (made.isValid()) made.waitForFinished();
    matcher_ = made.isValid() && made.resultCount() > 0 ? made.takeResult() : IdiomMatcher();
  }
  return &*matcher_;
}

void SearchController::UpdateMatches(bool waitForMatcher) {
  const QString key = searchKey_->text().trimmed();
  if (key.isEmpty()) {
    found_.clear();
    matches_->hide();
    ShowNoMatch(false);
    return;
  }
  if (!matcher_) {
    // Until the matcher is made the list stays as it was; it is shown the
    // moment the matcher is ready.
    if (waitForMatcher) StartMatcher();
    QFuture<IdiomMatcher> made = matcherWatcher_.future();
    const bool pending = matcherSource_ || (made.isValid() && !made.isFinished());
    if (!waitForMatcher && pending) return;
    Matcher();
  }
  found_ = matcher_->Find(key, RowsMatchingMeaning(key));
  ShowNoMatch(found_.empty());
  if (found_.empty()) emit nothingMatches();
  // Only while the box is there to anchor it.
  if (searchKey_->isVisible()) matches_->ShowMatches(found_, idioms_, searchKey_);
}

void SearchController::ShowNoMatch(bool none) {
  QPalette palette = searchPalette_;
  if (none) palette.setColor(QPalette::Base, QColor(0xff, 0xe0, 0xdc));
  if (none) palette.setColor(QPalette::Text, QColor(0x60, 0x10, 0x10));
  searchKey_->setPalette(palette);
  searchKey_->setAccessibleDescription(none ? QStringLiteral("No match") : QString());
}

void SearchController::Choose(int listRow) {
  matches_->hide();
  if (listRow < 0 || listRow >= model_.ListSize()) return;
  SetCurrentRow(listRow);
  // A choice is shown at once, as Enter on a row is: a key typed right
  // after it must not find it still waiting.
  listPickFlag_ = 1;
  chosen_ = true;
  Timer1_Timer();
}

bool SearchController::ChooseIdiom(const QString &idiom) {
  const int row = Finder().Find(idiom);
  if (row < 0 || model_.IdiomAt(row) != idiom) return false;
  Choose(row);
  return true;
}

QString SearchController::OtherScriptOf(const QString &idiom) {
  const int row = Finder().Find(idiom);
  if (row < 0 || model_.IdiomAt(row) != idiom) return {};
  if (matcher_) return matcher_->OtherScriptAt(row);
  // Before the matcher is made: the edition's line of the row.
  const auto connection = DictionaryConnection();
  if (!connection) return {};
  QString other;
  int line = 0;
  ForEachLineOfSearchData(*connection, kSearchOtherScript, [&](QByteArrayView text) {
    if (line++ == row) other = QString::fromUtf8(text);
  });
  return other;
}

bool SearchController::ShowToolTipIfElided(const QHelpEvent *event) {
  const QModelIndex index = list_->indexAt(event->pos());
  const QString text = index.data().toString();
  // The cell's text margins, as the style draws them.
  const int room =
      list_->visualRect(index).width() - 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  if (index.isValid() && list_->fontMetrics().horizontalAdvance(text) > room)
    QToolTip::showText(event->globalPos(), text, list_->viewport(), list_->visualRect(index));
  else
    QToolTip::hideText();
  return true;
}

bool SearchController::eventFilter(QObject *watched, QEvent *event) {
  // Compared by address only: events come while the list is being destroyed.
  if (watched == listViewport_ && event->type() == QEvent::ToolTip)
    return ShowToolTipIfElided(static_cast<QHelpEvent *>(event));
  // The match list belongs to the box: it goes when the box is hidden or
  // the keyboard goes elsewhere (another control, a dialog, a menu aside).
  if (watched == searchKey_ && (event->type() == QEvent::Hide || event->type() == QEvent::FocusOut) &&
      !(event->type() == QEvent::FocusOut && static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason))
    matches_->hide();
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto *press = static_cast<QKeyEvent *>(event);
  const bool plain = (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (watched == searchKey_ && plain && SearchKeyPressed(press->key())) return true;
  // Enter on a row shows it at once, without the timer's wait.
  if (watched == list_ && (press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter) && CurrentRow() >= 0) {
    listPickFlag_ = 1;
    chosen_ = true;
    Timer1_Timer();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

bool SearchController::SearchKeyPressed(int key) {
  if (matches_->isVisible()) {
    switch (key) {
      case Qt::Key_Down: matches_->Move(1); return true;
      case Qt::Key_Up: matches_->Move(-1); return true;
      case Qt::Key_PageDown: matches_->Move(matches_->PageStep()); return true;
      case Qt::Key_PageUp: matches_->Move(-matches_->PageStep()); return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (matches_->HasMatches()) Choose(matches_->ChosenListRow());
        return true;
      case Qt::Key_Escape: matches_->hide(); return true;
      default: return false;
    }
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    SearchNow();
    return true;
  }
  switch (key) {
    // Without a match list Esc empties the box, and Down goes on into the
    // idiom list at its current row.
    case Qt::Key_Escape:
      if (searchKey_->text().isEmpty()) return false;
      searchKey_->clear();
      return true;
    case Qt::Key_Down: list_->setFocus(Qt::TabFocusReason); return true;
    default: return false;
  }
}

void SearchController::lstKovSearch_RowNotify(int row) {
  if (row >= 0) ScheduleDisplay();
}

void SearchController::Timer1_Timer() {
  const bool chosen = std::exchange(chosen_, false);
  emit idiomDue(listPickFlag_ == 1 ? model_.IdiomAt(CurrentRow()) : QString(), chosen);
  timer1_.stop();
}

}  // namespace velmora
