#pragma once
// Idioms looked up from outside the window: a search key or the selection
// handed over by another start (or the desktop), the desktop's search, the
// lookup popup, the clipboard watch and "Read text…" (Ctrl+R). It finds the
// idioms of a text with an automaton built the first time it is needed.
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "dictionary/IdiomAutomaton.h"
#include "dictionary/SelectionLookup.h"
#include "platform/InstanceBus.h"
#include "platform/SelectionReader.h"

class QMainWindow;
class QMenu;
class QToolButton;

namespace velmora {

namespace wayland {
class DataControlWatch;
}

class IdiomSearch;
class LookupPopup;
class ReadTextDialog;
class UserStore;

class LookupService : public QObject {
  Q_OBJECT
 public:
  // What it needs of the window's other features, handed down by the window.
  struct Services {
    std::function<void(const QString &)> searchAgain;  // the key in the search box, its first match shown
    std::function<void(const QString &)> say;
    std::function<void()> favouritesChanged;
    // The idioms put into Study (those not in it yet); whether each is in it.
    std::function<void(const std::vector<QString> &)> study;
    std::function<bool(const QString &)> studied;
  };
  // The button gets the menu of what looks idioms up from elsewhere.
  LookupService(QMainWindow *window, QToolButton *button, IdiomSearch &search, Services services);
  void SetStore(UserStore *store) { store_ = store; }
  // What the desktop's search is answered with.
  SearchAnswers Answers();

 public slots:
  // "Read text…" (Ctrl+R), opened or brought forward.
  void OpenReader();
  void Handle(const InstanceRequest &request);
  // A result of the desktop's search, shown in the window.
  void ShowResult(const QString &idiom);

 private:
  const IdiomAutomaton *Automaton();
  QString IdiomAt(int index);
  // The longest idiom in the text; empty when it holds none.
  QString IdiomIn(const QString &text);
  void LookUpSelection(const QString &activationToken);
  void LookUpIn(const QString &text, const QString &activationToken);
  void ShowInWindow(const QString &idiom, const QString &key, const QString &activationToken = {});
  LookupPopup *Popup();
  void ShowPopup(const QString &idiom, const QString &activationToken);
  void ShowNothingRead(const QString &activationToken);
  void RaiseWindow(const QString &activationToken);
  // Those of the idioms not in Study put into it; how many.
  int StudyNewOnes(const std::vector<QString> &idioms);
  void WatchClipboard();
  // The menu's switches, as the configuration holds them.
  void FillMenu(QMenu *menu);
  void SetWatchingClipboard(bool watch);
  // "Look up selected text": another program's selection, once it has been
  // still for a moment, shown in the lookup window. X11 tells every program
  // of a new selection; elsewhere the switch says it is not available.
  void SetWatchingSelection(bool watch);
  void SelectionMoved();
  void LookUpStillSelection();
  bool SelectionWatchAvailable();
  // The compositor's notice of new selections under Wayland; none elsewhere.
  wayland::DataControlWatch *Watch();

  QMainWindow *window_;
  IdiomSearch &search_;
  Services services_;
  UserStore *store_ = nullptr;
  std::optional<IdiomAutomaton> automaton_;
  LookupPopup *popup_ = nullptr;
  ReadTextDialog *reader_ = nullptr;
  SelectionReader selection_;
  bool watching_ = false;
  bool watchingSelection_ = false;
  std::unique_ptr<wayland::DataControlWatch> watch_;
  bool watchTried_ = false;
  QTimer selectionStill_;  // the selection has not changed for a moment
  SelectionLookup selected_;
  bool copying_ = false;  // the popup is putting its idiom on the clipboard
};

}  // namespace velmora
