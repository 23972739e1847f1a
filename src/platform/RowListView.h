#pragma once
// A list of rows shown in columns, for lists of every idiom. A tree view
// keeps about forty bytes for each row it shows (8 MB at 200,000 idioms)
// whatever the rows hold; a table keeps eight, so this is a table that
// behaves as a list: whole rows are chosen, all rows are as high as the
// first, Home and End go to the first and last row, and Tab leaves it.
#include <QTableView>

namespace velmora {

class RowListView : public QTableView {
  Q_OBJECT
 public:
  explicit RowListView(QWidget *parent = nullptr);
  void setModel(QAbstractItemModel *model) override;

 protected:
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  void changeEvent(QEvent *event) override;

 private:
  // Every row is the first row's height: measuring each row would read
  // every idiom.
  void FitRowHeight();
};

}  // namespace velmora
