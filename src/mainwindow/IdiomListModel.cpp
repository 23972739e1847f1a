#include "IdiomListModel.h"

namespace velmora {

void IdiomListModel::SetRows(QStringList idioms) {
  beginResetModel();
  idioms_ = std::move(idioms);
  endResetModel();
}

QString IdiomListModel::IdiomAt(int row) const { return idioms_.value(row); }

int IdiomListModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : static_cast<int>(idioms_.size());
}

int IdiomListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 2; }

QVariant IdiomListModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.column() != 1) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return idioms_.value(index.row());
  return {};
}

QVariant IdiomListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == 1 ? QStringLiteral("VELM") : QString();
}

}  // namespace velmora
