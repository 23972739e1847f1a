#pragma once
// The rows of the search list: an empty first column and the idiom in the
// second ("VELM"), in the order they were added.
#include <QAbstractTableModel>
#include <QStringList>

namespace velmora {

class IdiomListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(QStringList idioms);
  // The idiom of a row; empty for a row that is not there.
  QString IdiomAt(int row) const;

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QStringList idioms_;
};

}  // namespace velmora
