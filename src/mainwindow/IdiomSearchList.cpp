#include "IdiomSearchList.h"

#include <QHeaderView>
#include <QtConcurrent/QtConcurrentRun>

#include "config/StartupTrace.h"
#include <QLineEdit>
#include <QTreeView>

namespace velmora {

IdiomSearchList::IdiomSearchList(QLineEdit *searchKey, QTreeView *list, QObject *parent)
    : QObject(parent), searchKey_(searchKey), list_(list) {
  list_->setModel(&model_);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setInterval(100);
  timer1_.setSingleShot(true);
  connect(searchKey_, &QLineEdit::textChanged, this, &IdiomSearchList::txtSearchKey_Change);
  connect(list_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex &index) { lstKovSearch_RowNotify(index.row()); });
  connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex &current) { lstKovSearch_RowNotify(current.isValid() ? current.row() : -1); });
  connect(&timer1_, &QTimer::timeout, this, &IdiomSearchList::Timer1_Timer);
  connect(&finderWatcher_, &QFutureWatcher<IdiomFinder>::finished, this, [this] {
    if (!finder_) Finder();
  });
}

IdiomSearchList::~IdiomSearchList() { finderWatcher_.waitForFinished(); }

void IdiomSearchList::Fill(IdiomList list, std::function<IdiomFinder()> finderSource) {
  finderWatcher_.waitForFinished();
  finder_.reset();
  finderWatcher_.setFuture(QtConcurrent::run(std::move(finderSource)));
  model_.SetList(std::move(list));
  list_->header()->resizeSection(0, 20);
  list_->header()->resizeSection(1, 120);
  if (model_.rowCount() > 0) {
    SetCurrentRow(0);
    ScheduleDisplay();
  }
}

int IdiomSearchList::CurrentRow() const {
  const QModelIndex current = list_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void IdiomSearchList::SetCurrentRow(int row) {
  const QModelIndex index = model_.index(row, 1);
  list_->setCurrentIndex(index);
  list_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void IdiomSearchList::ScheduleDisplay() {
  listPickFlag_ = 1;
  if (!timer1_.isActive()) timer1_.start();
}

const IdiomFinder &IdiomSearchList::Finder() {
  if (!finder_) {
    finderWatcher_.waitForFinished();
    finder_ = finderWatcher_.future().isValid() && finderWatcher_.future().resultCount() > 0
                  ? finderWatcher_.result()
                  : IdiomFinder();
    TraceStartup("search-ready");
  }
  return *finder_;
}

void IdiomSearchList::txtSearchKey_Change() {
  const int row = Finder().Find(searchKey_->text().trimmed());
  if (row < 0) return;
  SetCurrentRow(row);
  ScheduleDisplay();
}

void IdiomSearchList::lstKovSearch_RowNotify(int row) {
  if (row >= 0) ScheduleDisplay();
}

void IdiomSearchList::Timer1_Timer() {
  emit idiomDue(listPickFlag_ == 1 ? model_.IdiomAt(CurrentRow()) : QString());
  timer1_.stop();
}

}  // namespace velmora
