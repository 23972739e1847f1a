#pragma once
// The main window: the search list or the index tree at the left, the chosen
// idiom at the right, the user panel in the banner and the history label in
// the footer. The features with state of their own (the search list, the
// quiz panel) live in their own classes; the window wires them together.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

#include "IdiomSearchList.h"
#include "MainWindowControls.h"
#include "reading/Reader.h"
#include "layout/PaneGrid.h"
#include "BannerPane.h"
#include "DetailPane.h"
#include "FooterBar.h"

namespace velmora {

inline const QString kSearchView = QStringLiteral("KOVSearch");
inline const QString kIndexView = QStringLiteral("KOVDir");
inline const QString kFavouritesView = QStringLiteral("KOVFavourites");

class UserStore;

class frmVELM : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmVELM(QWidget *parent = nullptr);
  ~frmVELM() override;

  const MainWindowControls &controls() const { return c_; }
  // The window's fields.
  const QString &ViewMode() const { return viewMode_; }
  bool TreeLoaded() const { return treeLoaded_; }
  int ListPickFlag() const { return searchList_->ListPickFlag(); }
  const QString &MaxIdiomCode() const { return maxIdiomCode_; }
  const QString &SearchViewTitle() const { return searchViewTitle_; }
  const QString &TreeViewTitle() const { return treeViewTitle_; }
  const QString &Nickname() const { return banner_->Nickname(); }
  QTimer &Timer1() { return searchList_->Timer1(); }
  IdiomSearchList &SearchList() { return *searchList_; }
  const IdiomListModel &ListModel() const { return searchList_->Model(); }
  const MatchPopup &Matches() const { return *matchPopup_; }
  int CurrentListRow() const { return searchList_->CurrentRow(); }
  DetailPane &Detail() { return *detail_; }

  // The load steps; run once, before the window is first shown.
  void Load();
  void RefreshUserPanel();
  // Opens the settings dialog, then refreshes the panel and the layout.
  void OpenSettings();
  // Shows the window where and as the user left it: the design size at the
  // first start, never off the screens present now.
  void ShowAsRemembered();

 protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  void ConnectHandlers();
  void ApplyViewMode();
  void LoadIdiomList();

  // Views and history.
  void cmdKOVSearch_Click();
  void cmdKOVTreeList_Click();
  void cmdKOVFavourites_Click();
  void lblUp_DblClick(const QString &previous);
  // The list or tree of the view on show takes the keyboard focus.
  void FocusCurrentView();
  // Keyboard: shortcuts, the order of Tab, the way back and forward.
  void CreateShortcuts();
  void SetTabOrder();
  void FocusSearchBox();
  void GoBack();
  void GoForward();
  // Favourites and the history kept for the user.
  void OpenUserStore();
  // Tells once, after the window shows, of a damaged or newer user store.
  void AnnounceUserStore();
  // Shows an idiom chosen in the favourites view as choosing its row does.
  void ShowChosenIdiom(const QString &idiom);
  void ExportFavourites();
  // The window's remembered size, place and view.
  void RestoreView();
  void SaveWindowState() const;
  // Index tree.
  void LoadIdiomTree();
  void trvIdiomDir_NodeClick();
  // Layout: the panes follow the window's size, then the controls follow
  // the panes.
  void LayOutPanes();
  void ArrangeControls();

  MainWindowControls c_;
  std::unique_ptr<UserStore> userStore_;
  Reader reader_;
  DetailPane *detail_;
  BannerPane *banner_;
  FooterBar *footer_;
  // The first idiom of a run is shown by itself and is not the user's
  // history.
  bool startIdiomPending_ = true;
  QString favouritesViewTitle_;
  IdiomSearchList *searchList_;
  MatchPopup *matchPopup_;
  bool loaded_ = false;

  bool treeLoaded_ = false;
  QString viewMode_;
  QString searchViewTitle_;
  QString treeViewTitle_;
  QString maxIdiomCode_;
  std::array<QRectF, kPaneCount> paneTwips_;
};

}  // namespace velmora
