#pragma once
// The main window: the search list or the index tree at the left, the chosen
// idiom at the right, the user panel in the banner and the history label in
// the footer.
#include <QMainWindow>
#include <QTimer>

#include "IdiomFinder.h"
#include "IdiomListModel.h"
#include "MainWindowControls.h"
#include "MissingCharacterQuiz.h"
#include "PaneGrid.h"
#include "platform/Voice.h"

#include <memory>

namespace velmora {

inline const QString kSearchView = QStringLiteral("KOVSearch");
inline const QString kIndexView = QStringLiteral("KOVDir");

class frmVELM : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmVELM(QWidget *parent = nullptr);
  ~frmVELM() override;

  const MainWindowControls &controls() const { return c_; }
  // The window's fields.
  const QString &ViewMode() const { return viewMode_; }
  bool TreeLoaded() const { return treeLoaded_; }
  int ListPickFlag() const { return listPickFlag_; }
  const QString &MaxIdiomCode() const { return maxIdiomCode_; }
  const QString &SearchViewTitle() const { return searchViewTitle_; }
  const QString &TreeViewTitle() const { return treeViewTitle_; }
  const QString &Nickname() const { return nickname_; }
  QTimer &Timer1() { return timer1_; }
  const IdiomListModel &ListModel() const { return listModel_; }
  // The list's current row; -1 when there is none.
  int CurrentListRow() const;
  // The exact combined text last composed (lines joined by CR LF).
  const QString &DetailText() const { return detailText_; }

  // The load steps; run once, before the window is first shown.
  void Load();
  void RefreshUserPanel();

  // Handlers, public so that tests and the outside world can drive them.
  void cmdKOVSearch_Click();
  void cmdKOVTreeList_Click();
  void lblUp_DblClick();
  void trvIdiomDir_NodeClick();
  void txtSearchKey_Change();
  void lstKovSearch_RowNotify(int row);
  void Timer1_Timer();
  void Command3_Click();
  void BuildDetailText();
  void CheckVideoButton(const QString &idiom);
  // Quiz and detail buttons.
  void Command11_Click();
  void Command8_Click();
  void Command5_Click();
  void Command2_Click();
  void Command4_Click();
  // Outside links.
  void cmdAbout_Click();
  void cmdHelp_Click();
  void cmdEmail_Click();
  void cmdUpdate_Click();
  // Layout: the panes follow the window's size, then the controls follow
  // the panes.
  void ArrangeControls();
  void Form_Resize();
  int GetXCursorPos() const;
  int GetYCursorPos() const;
  // Opens the settings dialog, then refreshes the panel and the layout.
  void OpenSettings();
  // The text the speak button reads: the spelling when there is one.
  QString TextToSpeak() const;
  const Voice *SpeechVoice() const { return voice_.get(); }

 protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void ConnectHandlers();
  void LayOutPanes();
  void ApplyViewMode();
  void LoadIdiomTree();
  void LoadIdiomList();
  void SetCurrentListRow(int row);
  // Moves the shown idiom into the history label and shows the idiom's record.
  void DisplayIdiom(const QString &idiom);

  MainWindowControls c_;
  IdiomListModel listModel_;
  IdiomFinder finder_;
  QTimer timer1_;
  MissingCharacterQuiz quiz_;
  std::unique_ptr<Voice> voice_;
  bool loaded_ = false;

  bool treeLoaded_ = false;
  int listPickFlag_ = 0;
  QString viewMode_;
  QString searchViewTitle_;
  QString treeViewTitle_;
  QString nickname_;
  QString maxIdiomCode_;
  QString detailText_;
  std::array<QRectF, kPaneCount> paneTwips_;
};

}  // namespace velmora
