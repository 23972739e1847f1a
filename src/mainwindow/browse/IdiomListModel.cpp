#include "mainwindow/browse/IdiomListModel.h"

#include <algorithm>

namespace velmora {

void IdiomListModel::SetList(IdiomList list, int shown) {
  beginResetModel();
  list_ = std::move(list);
  shown_ = std::min(std::max(shown, 0), list_.size());
  endResetModel();
}

void IdiomListModel::RevealAll() {
  if (shown_ >= list_.size()) return;
  beginInsertRows({}, shown_, list_.size() - 1);
  shown_ = list_.size();
  endInsertRows();
}

int IdiomListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : shown_; }

int IdiomListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2; }

QVariant IdiomListModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.column() != 1) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return list_.IdiomAt(index.row());
  return {};
}

QVariant IdiomListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 1 ? QStringLiteral("VELM") : QString();
}

}  // namespace velmora
