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
#include "platform/Speaker.h"

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
  const QString &Nickname() const { return nickname_; }
  QTimer &Timer1() { return searchList_->Timer1(); }
  IdiomSearchList &SearchList() { return *searchList_; }
  const IdiomListModel &ListModel() const { return searchList_->Model(); }
  const MatchPopup &Matches() const { return *matchPopup_; }
  int CurrentListRow() const { return searchList_->CurrentRow(); }
  // The exact combined text last composed (lines joined by CR LF).
  const QString &DetailText() const { return detailText_; }
  // The reading text's zoom, in percent of the language's size.
  int ZoomPercent() const { return zoomPercent_; }

  // The load steps; run once, before the window is first shown.
  void Load();
  void RefreshUserPanel();
  // The footer names the sources of the edition in use.
  void ShowDataCredit();
  // Opens the settings dialog, then refreshes the panel and the layout.
  void OpenSettings();
  // The text the speak button reads: the spelling when there is one.
  QString TextToSpeak() const;
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
  // Shows the idiom's record, the idiom shown before it in the history
  // label; the reader keeps what the reason says.
  void DisplayIdiom(const QString &idiom, Reader::Reason reason);
  // The search list's due idiom: the first of the run by itself.
  void DisplayDueIdiom(const QString &idiom, bool chosen);

  // Views and history.
  void cmdKOVSearch_Click();
  void cmdKOVTreeList_Click();
  void cmdKOVFavourites_Click();
  void lblUp_DblClick();
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
  void cmdFavourite_Click(bool checked);
  void ShowFavouriteState();
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
  // Detail pane and its buttons.
  void BuildDetailText();
  void CheckVideoButton(const QString &idiom);
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  // Outside links.
  void cmdAbout_Click();
  void cmdHelp_Click();
  void cmdEmail_Click();
  void cmdUpdate_Click();
  // Layout: the panes follow the window's size, then the controls follow
  // the panes.
  void LayOutPanes();
  void ArrangeControls();
  void Form_Resize();
  // The detail boxes' tops and heights from their fonts and the pane's
  // height; the idiom larger when the pane is taller than designed.
  void ArrangeDetail();
  // Text size: the zoom of the reading controls, then the detail's layout.
  void ApplyTextScale();
  void Zoom(int stepsOrReset);

  MainWindowControls c_;
  std::unique_ptr<UserStore> userStore_;
  Reader reader_;
  // The first idiom of a run is shown by itself and is not the user's
  // history.
  bool startIdiomPending_ = true;
  QString favouritesViewTitle_;
  int zoomPercent_ = 100;
  IdiomSearchList *searchList_;
  MatchPopup *matchPopup_;
  std::unique_ptr<Speaker> speaker_;
  bool loaded_ = false;
  bool selectExplainOnRelease_ = false;

  bool treeLoaded_ = false;
  QString viewMode_;
  QString searchViewTitle_;
  QString treeViewTitle_;
  QString nickname_;
  QString maxIdiomCode_;
  QString detailText_;
  std::array<QRectF, kPaneCount> paneTwips_;
};

}  // namespace velmora
