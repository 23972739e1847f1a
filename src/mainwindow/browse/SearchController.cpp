#include "mainwindow/browse/SearchController.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <utility>

#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include "lang/Captions.h"
#include "platform/AfterFirstPaint.h"

namespace velmora {

SearchController::SearchController(QLineEdit *searchKey, QTableView *list, MatchPopup *matches, IdiomSearch &search,
                                   QObject *parent)
    : QObject(parent),
      searchKey_(searchKey),
      list_(list),
      matches_(matches),
      search_(search),
      searchPalette_(searchKey->palette()) {
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
  // A search that waited for the matcher (a key handed over at the start)
  // has shown and chosen its matches already: only a key typed while it was
  // being made is answered now.
  connect(&search_, &IdiomSearch::matcherReady, this, [this] { UpdateMatches(); });
  connect(matches_, &MatchPopup::chosen, this, &SearchController::Choose);
  searchKey_->installEventFilter(this);
  list_->installEventFilter(this);
  listViewport_ = list_->viewport();
  listViewport_->installEventFilter(this);
}

void SearchController::Fill(IdiomList list) {
  // On a machine of two cores the workers would take the processor from
  // the first frame: they start once it is on the screen.
  AfterFirstPaint(list_->window(), [self = QPointer<SearchController>(this)] {
    if (!self) return;
    self->model_.RevealAll();
    self->search_.Start();
  });
  idioms_ = list;
  // A screenful and more, however large the window: the rest come after the
  // first frame, or the moment a row of them is wanted.
  constexpr int kRowsBeforeFirstFrame = 512;
  model_.SetList(std::move(list), kRowsBeforeFirstFrame);
  list_->horizontalHeader()->resizeSection(0, 20);
  list_->horizontalHeader()->resizeSection(1, 120);
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

void SearchController::txtSearchKey_Change() {
  // A key typed after Enter makes the idiom still to be shown one passed,
  // not one chosen.
  chosen_ = false;
  const IdiomSearch::Result answer = UpdateMatches(false);
  // With no answer the idiom on display stays.
  if (answer.row < 0) return;
  SetCurrentRow(answer.row);
  ScheduleDisplay();
}

void SearchController::SearchNow() {
  UpdateMatches();
  if (matches_->isVisible() && matches_->HasMatches())
    Choose(matches_->ChosenListRow());
  else if (!found_.empty())
    Choose(found_.front().row);
}

IdiomSearch::Result SearchController::UpdateMatches(bool waitForMatcher) {
  IdiomSearch::Result answer = search_.Search(searchKey_->text(), waitForMatcher);
  // Until the matcher is made the match list stays as it was; it is shown
  // the moment the matcher is ready.
  if (answer.matches || searchKey_->text().trimmed().isEmpty())
    ShowMatches(answer.matches.value_or(IdiomSearch::Matches()));
  return answer;
}

void SearchController::ShowMatches(const IdiomSearch::Matches &found) {
  found_ = found;
  if (searchKey_->text().trimmed().isEmpty()) {
    matches_->hide();
    ShowNoMatch(false);
    return;
  }
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
  searchKey_->setAccessibleDescription(none ? CaptionOr("NOMATCH", "No match") : QString());
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
  const int row = search_.RowOf(idiom);
  if (row < 0) return false;
  Choose(row);
  return true;
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
