#include "mainwindow/browse/MatchPopup.h"
#include "lang/Captions.h"
#include "platform/LanguageTexts.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTreeView>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int kExplanationChars = 40;

QString StartOf(const QString &text) {
  const QString line = text.section(QLatin1Char('\n'), 0, 0).simplified();
  return line.size() > kExplanationChars ? line.left(kExplanationChars) + QStringLiteral("…") : line;
}

}  // namespace

void MatchListModel::SetMatches(std::vector<IdiomMatcher::Match> matches, IdiomList list) {
  beginResetModel();
  matches_ = std::move(matches);
  list_ = std::move(list);
  endResetModel();
}

int MatchListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : static_cast<int>(matches_.size());
}

int MatchListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 3; }

QVariant MatchListModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  const int row = ListRow(index.row());
  switch (index.column()) {
    case 0: return list_.IdiomAt(row);
    case 1: return list_.SpellAt(row);
    default: return StartOf(list_.NoteAt(row));
  }
}

MatchPopup::MatchPopup(QWidget *parent) : QFrame(parent) {
  setObjectName(QStringLiteral("MatchPopup"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
  count_ = new QLabel(this);
  count_->setTextFormat(Qt::PlainText);
  view_ = new QTreeView(this);
  SetLanguageName(view_, "ACCMATCHES", "Matches");
  view_->setModel(&model_);
  view_->setHeaderHidden(true);
  view_->setRootIsDecorated(false);
  view_->setUniformRowHeights(true);
  view_->setAllColumnsShowFocus(true);
  view_->setFocusPolicy(Qt::NoFocus);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->header()->setStretchLastSection(true);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 4);
  layout->setSpacing(2);
  layout->addWidget(count_);
  layout->addWidget(view_);
  connect(view_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex &index) { emit chosen(model_.ListRow(index.row())); });
  hide();
  // It is drawn over the window: when the window moves or is minimised it
  // would be left over something else.
  window()->installEventFilter(this);
}

bool MatchPopup::eventFilter(QObject *watched, QEvent *event) {
  if (watched == window() &&
      (event->type() == QEvent::Move || event->type() == QEvent::WindowStateChange || event->type() == QEvent::Hide))
    hide();
  return QFrame::eventFilter(watched, event);
}

void MatchPopup::ShowMatches(std::vector<IdiomMatcher::Match> matches, const IdiomList &list, const QWidget *anchor) {
  const int found = static_cast<int>(matches.size());
  model_.SetMatches(std::move(matches), list);
  count_->setText(found == 0 ? CaptionOr("NOMATCH", "No match")
                             : CountCaption(found, "MATCHONE", "1 match", "MATCHMANY", "%1 matches"));
  view_->setVisible(found > 0);
  view_->header()->resizeSection(0, anchor->fontMetrics().horizontalAdvance(QStringLiteral("画龙点睛画龙")));
  view_->header()->resizeSection(1, anchor->fontMetrics().horizontalAdvance(QStringLiteral("huà lóng diǎn jīng x")));
  // Under the anchor, as wide as the window allows to its right.
  const QWidget *area = parentWidget();
  const QPoint at = anchor->mapTo(area, QPoint(0, anchor->height()));
  const int width = std::max(anchor->width(), area->width() - at.x() - 8);
  const int rowHeight = std::max(view_->sizeHintForRow(0), fontMetrics().height() + 4);
  const int rows = std::min(found, kRowsShown);
  const int height = count_->sizeHint().height() + 8 + (found > 0 ? rows * rowHeight + 4 : 0);
  setGeometry(at.x(), at.y(), width, std::min(height, area->height() - at.y()));
  show();
  raise();
}

void MatchPopup::Move(int step) {
  const int count = model_.rowCount();
  if (count == 0) return;
  const QModelIndex current = view_->currentIndex();
  const int row = current.isValid() ? std::clamp(current.row() + step, 0, count - 1) : (step > 0 ? 0 : count - 1);
  view_->setCurrentIndex(model_.index(row, 0));
  view_->scrollTo(model_.index(row, 0));
}

int MatchPopup::ChosenListRow() const {
  const QModelIndex current = view_->currentIndex();
  return model_.ListRow(current.isValid() ? current.row() : 0);
}

}  // namespace velmora
