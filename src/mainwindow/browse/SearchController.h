#pragma once
// The search list of the main window: every idiom in idiom order, the
// type-ahead find from the search box, and the deferred display of the row
// that was chosen (the one-shot timer and the pick flag).
#include <QObject>
#include <QTimer>

#include "data/IdiomStore.h"
#include "dictionary/IdiomSearch.h"
#include "mainwindow/browse/IdiomListModel.h"
#include "mainwindow/browse/MatchPopup.h"

class QHelpEvent;
class QLineEdit;
class QTableView;

namespace velmora {

class SearchController : public QObject {
  Q_OBJECT
 public:
  // Drives the search box, the list and the match list under the box, which
  // stay where the window put them, with the window's search.
  SearchController(QLineEdit *searchKey, QTableView *list, MatchPopup *matches, IdiomSearch &search, QObject *parent);

  // Fills the list, makes its first row current and schedules its display.
  // The search over it is made on another thread once the window has shown
  // its first frame; a key typed before it is ready waits for it, so no key
  // is lost.
  void Fill(IdiomList list);
  // The match list for the key in the search box, now (waiting for the
  // matcher if it is still being made); tests and benchmarks call it. The
  // key's answer is given back.
  IdiomSearch::Result UpdateMatches(bool waitForMatcher = true);

  const IdiomListModel &Model() const { return model_; }
  QTimer &Timer1() { return timer1_; }
  int ListPickFlag() const { return listPickFlag_; }
  // The list's current row; -1 when there is none.
  int CurrentRow() const;

  // Makes the idiom's row current and shows it, as choosing the row does;
  // false when the list has no such idiom.
  bool ChooseIdiom(const QString &idiom);

  // The timer's tick: tells which idiom is due, then stops.
  void Timer1_Timer();
  // What Enter in the box and the Search button do: show the best match.
  void SearchNow();

 signals:
  // The idiom of the chosen row (empty when no row was picked) is to be
  // shown; chosen when the user chose it (Enter, a click, the match list),
  // not when typing or the arrow keys passed it.
  void idiomDue(const QString &idiom, bool chosen);
  // The key matches nothing: the idiom on display is not what is sought.
  void nothingMatches();

 private:
  void txtSearchKey_Change();
  void lstKovSearch_RowNotify(int row);
  void SetCurrentRow(int row);
  // Shows the matches of an answered key.
  void ShowMatches(const IdiomSearch::Matches &found);
  // Shows the chosen match as choosing its row in the list does.
  void Choose(int listRow);
  // Tints the search box and tells screen readers when nothing matches.
  void ShowNoMatch(bool none);
  bool eventFilter(QObject *watched, QEvent *event) override;
  // The full idiom of a row too long for its column.
  bool ShowToolTipIfElided(const QHelpEvent *event);
  // Keys of the search box: the match list's first, then Esc and Down.
  bool SearchKeyPressed(int key);
  // Marks the current row as picked and starts the timer unless it runs.
  void ScheduleDisplay();

  QLineEdit *searchKey_;
  QTableView *list_;
  QWidget *listViewport_ = nullptr;
  IdiomListModel model_;
  MatchPopup *matches_;
  IdiomSearch &search_;
  IdiomList idioms_;            // the list's rows, for the match list
  IdiomSearch::Matches found_;  // for the key in the box
  bool chosen_ = false;
  QPalette searchPalette_;
  QTimer timer1_;
  int listPickFlag_ = 0;
};

}  // namespace velmora
