#pragma once
// The browsing side of the window: the view buttons and the three views
// that choose an idiom to show — the idiom list with its search box and
// match list, the initial-letter index tree, and the favourites and history.
// A choice goes to the reader; the pane listens to nothing else.
#include <QObject>
#include <optional>

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/browse/IndexView.h"
#include "mainwindow/browse/SearchController.h"
#include "reading/Reader.h"

namespace velmora {

class UserStore;

enum class View { Search, Index, Favourites, Study };
// The names the window's memory file keeps views under.
QString ViewName(View view);
std::optional<View> ViewNamed(const QString &name);

class BrowsePane : public QObject {
  Q_OBJECT
 public:
  BrowsePane(const BrowseControls &controls, MatchPopup *matches, Reader &reader, IdiomSearch &search, QObject *parent);

  SearchController &SearchList() { return *searchList_; }
  View CurrentView() const { return view_; }
  bool TreeLoaded() const { return index_->Loaded(); }
  const QString &MaxIdiomCode() const { return maxIdiomCode_; }

  // Fills the idiom list (the design's LoadIdiomList); its first row is shown shortly after.
  void LoadIdiomList();
  // The views' titles from the language file.
  void ReadViewTitles();
  // The favourites view works from the store; without one it is off.
  void SetStore(UserStore *store);
  // An idiom chosen elsewhere (a favourite, a related idiom), shown as
  // choosing its row does.
  void ShowChosenIdiom(const QString &idiom);
  // Shows the view and gives its list or tree the keyboard.
  void ShowView(View view);
  void ApplyViewMode();
  void FocusCurrentView();
  // The search view with the idiom typed into its box (the "Up:" label).
  void SearchAgain(const QString &idiom);

 signals:
  // The study view, another wing's, is shown (and brought up to date) or
  // hidden, or wants the keyboard.
  void studyViewShown(bool shown);
  void studyFocusWanted();

 private:
  void cmdKOVSearch_Click() { ShowView(View::Search); }
  void cmdKOVTreeList_Click() { ShowView(View::Index); }
  void cmdKOVFavourites_Click() { ShowView(View::Favourites); }
  void cmdKOVStudy_Click() { ShowView(View::Study); }
  void ExportFavourites();

  const BrowseControls &c_;
  Reader &reader_;
  IdiomSearch &search_;
  SearchController *searchList_;
  View view_ = View::Search;
  IndexView *index_;
  QString maxIdiomCode_;
  QString searchViewTitle_, treeViewTitle_, favouritesViewTitle_, studyViewTitle_;
};

}  // namespace velmora
