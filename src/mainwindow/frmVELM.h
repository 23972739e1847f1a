#pragma once
// The main window: the search list or the index tree at the left, the chosen
// idiom at the right, the user panel in the banner and the history label in
// the footer. The features with state of their own (the search list, the
// quiz panel) live in their own classes; the window wires them together.
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

#include "BannerPane.h"
#include "FooterBar.h"
#include "MainWindowControls.h"
#include "dictionary/IdiomSearch.h"
#include "layout/PaneGrid.h"
#include "mainwindow/browse/BrowsePane.h"
#include "mainwindow/characters/CharactersPane.h"
#include "mainwindow/connections/ConnectionsPane.h"
#include "mainwindow/detail/DetailPane.h"
#include "mainwindow/detail/TeachingPane.h"
#include "mainwindow/lookup/LookupService.h"
#include "mainwindow/study/StudyPane.h"
#include "reading/Reader.h"

namespace velmora {

class UserStore;

class frmVELM : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmVELM(QWidget *parent = nullptr);
  ~frmVELM() override;

  const MainWindowControls &controls() const { return c_; }
  BrowsePane &Browse() { return *browse_; }
  CharactersPane &Characters() { return *characters_; }
  DetailPane &Detail() { return *detail_; }
  const QString &Nickname() const { return banner_->Nickname(); }
  LookupService &Lookup() { return *lookup_; }
  Reader &Reading() { return reader_; }
  IdiomSearch &Search() { return search_; }

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

  // Keyboard: shortcuts, the order of Tab, the way back and forward.
  void CreateShortcuts();
  void SetTabOrder();
  void FocusSearchBox();
  void GoBack();
  void GoForward();
  // Favourites and the history kept for the user.
  void OpenUserStore();
  // The window's remembered size, place and view.
  void RestoreView();
  void SaveWindowState() const;
  // Layout: the panes follow the window's size, then the controls follow
  // the panes.
  void LayOutPanes();
  void ArrangeControls();

  MainWindowControls c_;
  std::unique_ptr<UserStore> userStore_;
  Reader reader_;
  // The edition's search, handed to every pane that looks idioms up.
  IdiomSearch search_;
  DetailPane *detail_;
  BannerPane *banner_;
  FooterBar *footer_;
  ConnectionsPane *connections_;
  CharactersPane *characters_;
  StudyPane *study_;
  LookupService *lookup_ = nullptr;
  // The first idiom of a run is shown by itself and is not the user's
  // history.
  bool startIdiomPending_ = true;
  BrowsePane *browse_;
  MatchPopup *matchPopup_;
  bool loaded_ = false;
  std::array<QRectF, kPaneCount> paneTwips_;
};

}  // namespace velmora
