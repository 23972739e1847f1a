#pragma once
// An import as a task: the chosen sources (and, when adding, the dictionary
// in use read back first) built into both editions on a worker thread, with
// progress and Cancel. What it built is put in place by the one who asked,
// once it has finished (ReplaceEditions), so that nothing in use changes
// before the user has seen the result.
#include <QObject>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "Editions.h"

namespace velmora::editions {

class EditionImport : public QObject {
  Q_OBJECT
 public:
  struct Request {
    std::vector<LoadedSource> sources;
    QString addTo;  // the GB edition in use to add to; empty to replace
    EditionPaths built;
    QString password;
  };

  explicit EditionImport(QObject *parent = nullptr);
  // Cancels a build still running and waits for it.
  ~EditionImport() override;

  // Starts the build; false when one is running already.
  bool Start(Request request);
  void Cancel() { cancelled_->store(true); }
  // Cancels, and waits until the build has ended and taken its part files.
  void CancelAndWait() {
    Cancel();
    Join();
  }
  bool IsRunning() const { return running_; }

 signals:
  // The fraction done, 0..1, at most every thousandth.
  void progress(double done);
  // The build ended: failure is empty on success, in words otherwise.
  void finished(const QString &failure);
  void cancelled();

 private:
  void Join();

  std::thread worker_;
  bool running_ = false;
  std::shared_ptr<std::atomic<bool>> cancelled_;
};

}  // namespace velmora::editions
