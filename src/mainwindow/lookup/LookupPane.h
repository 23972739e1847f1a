#pragma once
// Idioms looked up from outside the window: a search key or the selection
// handed over by another start (or the desktop), the desktop's search, the
// lookup popup, the clipboard watch and "Read text…" (Ctrl+R). It finds the
// idioms of a text with an automaton built the first time it is needed.
#include <QObject>
#include <optional>

#include "mainwindow/browse/BrowsePane.h"
#include "mainwindow/detail/DetailPane.h"
#include "dictionary/IdiomAutomaton.h"
#include "platform/InstanceBus.h"
#include "platform/SelectionReader.h"

class QMainWindow;

namespace velmora {

class LookupPopup;
class ReadTextDialog;
class UserStore;

class LookupPane : public QObject {
  Q_OBJECT
 public:
  LookupPane(QMainWindow *window, BrowsePane &browse, DetailPane &detail);
  void SetStore(UserStore *store) { store_ = store; }
  // What the desktop's search is answered with.
  SearchAnswers Answers();

 public slots:
  void Handle(const InstanceRequest &request);
  // A result of the desktop's search, shown in the window.
  void ShowResult(const QString &idiom);

 private:
  const IdiomAutomaton *Automaton();
  QString IdiomAt(int index);
  // The longest idiom in the text; empty when it holds none.
  QString IdiomIn(const QString &text);
  void LookUpSelection();
  void LookUpIn(const QString &text);
  void ShowInWindow(const QString &idiom, const QString &key);
  void ShowPopup(const QString &idiom);
  void RaiseWindow();
  void OpenReader();
  void WatchClipboard();

  QMainWindow *window_;
  BrowsePane &browse_;
  DetailPane &detail_;
  UserStore *store_ = nullptr;
  std::optional<IdiomAutomaton> automaton_;
  LookupPopup *popup_ = nullptr;
  ReadTextDialog *reader_ = nullptr;
  SelectionReader selection_;
};

}  // namespace velmora
