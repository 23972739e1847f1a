#include "platform/RowListView.h"

#include <QEvent>
#include <QHeaderView>

#include "platform/ListHeader.h"

namespace velmora {

RowListView::RowListView(QWidget *parent) : QTableView(parent) {
  ListHeader::InstallOn(this);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTabKeyNavigation(false);
  setShowGrid(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
}

void RowListView::setModel(QAbstractItemModel *model) {
  QTableView::setModel(model);
  if (model == nullptr) return;
  FitRowHeight();
  // The first rows may come after the model: measure once there is one.
  connect(model, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first) {
    if (first == 0) FitRowHeight();
  });
  connect(model, &QAbstractItemModel::modelReset, this, &RowListView::FitRowHeight);
}

void RowListView::FitRowHeight() {
  if (model() == nullptr || model()->rowCount() == 0) return;
  const int height = sizeHintForRow(0);
  if (height > 0) verticalHeader()->setDefaultSectionSize(height);
}

void RowListView::changeEvent(QEvent *event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitRowHeight();
}

QModelIndex RowListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  // A list has no columns to walk: Home and End mean its ends, Left and
  // Right nothing.
  switch (cursorAction) {
    case MoveHome:
    case MoveEnd: return QTableView::moveCursor(cursorAction, modifiers | Qt::ControlModifier);
    case MoveLeft:
    case MoveRight: return currentIndex();
    default: return QTableView::moveCursor(cursorAction, modifiers);
  }
}

}  // namespace velmora
