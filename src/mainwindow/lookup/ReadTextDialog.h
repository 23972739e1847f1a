#pragma once
// "Read text…" (Ctrl+R): a text pasted or opened from a file, with every
// idiom of the edition in it underlined, and beside it each idiom with how
// often it stands there. A click shows the idiom in the main window; "Star
// all" keeps them all as favourites. Long texts are read on a worker.
#include <QDialog>
#include <QFutureWatcher>
#include <QTimer>
#include <functional>

#include "dictionary/IdiomAutomaton.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace velmora {

class ReadTextDialog : public QDialog {
  Q_OBJECT
 public:
  struct Services {
    std::function<const IdiomAutomaton *()> automaton;
    std::function<QString(int)> idiomAt;               // an automaton's index as the edition spells it
    std::function<bool(const QString &)> star;         // false when it could not be kept
    std::function<QString(const QString &)> describe;  // its reading and the start of its meaning
    // Puts the idioms not in Study yet into it; how many were new.
    std::function<int(const std::vector<QString> &)> study;
  };
  ReadTextDialog(Services services, QWidget *parent);
  ~ReadTextDialog() override;
  // A line of thousands of characters is shown broken after a sentence.
  void SetText(const QString &text);

 protected:
  void resizeEvent(QResizeEvent *event) override;

 signals:
  void idiomChosen(const QString &idiom);

 private:
  // What a scan found: the places, and how often each idiom (by index) came.
  struct Scanned {
    std::vector<IdiomAutomaton::Found> found;
    std::vector<std::pair<int, int>> counts;
  };
  // Made off the window's thread for a long text: the counting too.
  static Scanned ScanText(const IdiomAutomaton &automaton, const QString &text);

  void OpenFile();
  void ShowOpened();
  void Scan();
  // A long text's scan, made on another thread, at its end.
  void ScanFinished();
  void ShowFound(Scanned scanned);
  // Underlines the idioms in view only: a text may hold a million, and the
  // editor lays out every underline it is given.
  void UnderlineVisible();
  void StarAll();
  void StudyNewOnes();
  void LoadPiece();
  // The reading and meaning of the next few idioms listed: a text may hold
  // thousands, each a query.
  void DescribeSome();

  Services services_;
  QPlainTextEdit *text_;
  QTreeWidget *idioms_;
  QPushButton *open_, *star_, *study_;
  QLabel *status_;
  QProgressBar *progress_;
  QTimer pause_;
  QTimer underline_;
  QTimer describing_;
  QTimer loading_;     // a long text going into the box
  QString pending_;    // what of it is still to go in
  int described_ = 0;  // the listed idioms described so far
  QFutureWatcher<Scanned> scanning_;
  // The box's changes so far, and when the running scan read it.
  long long textChanges_ = 0, scanChanges_ = 0;
  struct Opened {
    QString path, text;
    int refusal = 0;  // why the file was not read; 0 when it was
  };
  QFutureWatcher<Opened> opening_;
  std::vector<IdiomAutomaton::Found> found_;  // in the order of the text
};

}  // namespace velmora
