#pragma once
// The rows of the search list: an empty first column and the idiom in the
// second ("VELM"), in list order. The idioms are read from the list as the
// view asks for them, so a list of any length costs nothing up front.
#include <QAbstractTableModel>
#include <climits>

#include "data/IdiomStore.h"

namespace velmora {

class IdiomListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows the list's first `shown` rows only, until RevealAll: a view lays
  // out every row it is given before it first paints (8 MB and 14 ms at
  // 200,000 idioms), which the first frame need not wait for.
  void SetList(IdiomList list, int shown = INT_MAX);
  void RevealAll();
  // The rows of the list, shown or not yet.
  int ListSize() const { return list_.size(); }
  // The idiom of a row; empty for a row that is not there.
  QString IdiomAt(int row) const { return list_.IdiomAt(row); }

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  IdiomList list_;
  int shown_ = 0;
};

}  // namespace velmora
