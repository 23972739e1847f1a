#pragma once
// The rows of the search list: an empty first column and the idiom in the
// second ("VELM"), in list order. The idioms are read from the list as the
// view asks for them, so a list of any length costs nothing up front.
#include <QAbstractTableModel>

#include "data/IdiomStore.h"

namespace velmora {

class IdiomListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetList(IdiomList list);
  // The idiom of a row; empty for a row that is not there.
  QString IdiomAt(int row) const { return list_.IdiomAt(row); }

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  IdiomList list_;
};

}  // namespace velmora
