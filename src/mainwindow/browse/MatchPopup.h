#pragma once
// The match list under the search box: every idiom that matches the key,
// best first, each with its spelling and the start of its explanation, and
// the count above them; "No match" alone when nothing matches. It never
// takes the keyboard: the search box keeps the focus and sends it the keys
// that move in it (Down, Up, Page keys) and choose (Enter).
#include <QAbstractTableModel>
#include <QFrame>
#include <vector>

#include "data/IdiomStore.h"
#include "dictionary/IdiomMatcher.h"

class QLabel;
class QTreeView;

namespace velmora {

class MatchListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetMatches(std::vector<IdiomMatcher::Match> matches, IdiomList list);
  int ListRow(int row) const { return row >= 0 && row < rowCount() ? matches_[static_cast<size_t>(row)].row : -1; }

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;

 private:
  std::vector<IdiomMatcher::Match> matches_;
  IdiomList list_;
};

class MatchPopup : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kRowsShown = 10;

  explicit MatchPopup(QWidget *parent);
  // Shows the matches (or "No match") under the anchor, as wide as the
  // parent allows to its right.
  void ShowMatches(std::vector<IdiomMatcher::Match> matches, const IdiomList &list, const QWidget *anchor);
  bool HasMatches() const { return model_.rowCount() > 0; }
  // Moves the current match by the step (clamped); from none, Down takes the first.
  void Move(int step);
  int PageStep() const { return kRowsShown - 1; }
  // The list row of the current match, else of the first; -1 without any.
  int ChosenListRow() const;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 signals:
  // A match was clicked: its row in the idiom list.
  void chosen(int listRow);

 private:
  QLabel *count_;
  QTreeView *view_;
  MatchListModel model_;
};

}  // namespace velmora
