#pragma once
// Import of idiom data from the window: the user chooses files, sees what
// each holds, and builds both editions from them off the user-interface
// thread, with progress and Cancel. The editions in use are replaced only
// when the new ones are complete and verified; the replaced ones are kept
// and "Restore the previous dictionary" brings them back.
#include <QDialog>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

#include "editions/EditionImport.h"

template <typename T>
class QFutureWatcher;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace velmora {

class frmImport : public QDialog {
  Q_OBJECT
 public:
  // A file read: its source, or why it cannot be used, in words.
  using SourceReading = std::pair<editions::LoadedSource, QString>;

  explicit frmImport(QWidget *parent = nullptr);
  ~frmImport() override;

  // Adds the files' sources to the list (what a file chooser gave).
  void AddFiles(const QStringList &paths);
  // Builds and puts in place; the result is told in a message box.
  void StartImport();
  void CancelImport();
  // From the choice of files until each is read or the reading is cancelled.
  bool IsReading() const { return reading_; }
  // From the start until the result has been handled.
  bool IsImporting() const { return importing_; }
  const std::vector<editions::LoadedSource> &Sources() const { return sources_; }
  // Where the editions are written and read.
  static editions::EditionPaths EditionsInUse();
  // Asks whether to start again now; restarts when told to.
  static void OfferRestart(const QString &what);

 protected:
  void reject() override;

 private:
  void ChooseFiles();
  // Takes the readings done, in the order chosen, up to the first still running.
  void TakeFinishedReadings();
  // Cancel while reading: what is still being read is not waited for.
  void DropReadings();
  void RemoveSelected();
  void ShowSources();
  // " Skipped: 12 without a reading." in the interface language; empty when none were.
  static QString SkippedText(const editions::SkippedEntries &skipped);
  // The source's format in the interface language.
  static QString FormatText(editions::SourceFormat format);
  // The build's end: its failure in words, or empty on success.
  void FinishImport(const QString &failure);
  void EndCancelledImport();
  void RestorePrevious();
  void UpdateButtons();
  // One import per data folder; told in a message box when another holds it.
  bool TakeLock();

  std::vector<editions::LoadedSource> sources_;
  QTreeWidget *list_;
  QLabel *status_;
  QProgressBar *progress_;
  QPushButton *add_, *remove_, *restore_, *import_, *close_;
  QRadioButton *addToInUse_, *replaceInUse_;
  editions::EditionImport importTask_;
  editions::EditionPaths built_, targets_;
  bool importing_ = false;
  struct PendingReading {
    QString path;
    QFutureWatcher<SourceReading> *watcher;
  };
  std::deque<PendingReading> readings_;
  bool reading_ = false, takingReadings_ = false;
  std::unique_ptr<editions::ImportLock> lock_;
};

}  // namespace velmora
