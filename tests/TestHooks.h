#pragma once
// Scoped stand-ins for what a person would see or choose: each replaces a
// seam of the windows while it lives and restores the real one when it goes,
// also when an assertion ends the test early.
#include <QString>
#include <QUrl>
#include <vector>

#include "platform/MessageBoxes.h"

namespace velmora::test {

// Records every message box instead of showing it, answering with the given
// answer.
class RecordedMessages {
 public:
  explicit RecordedMessages(MessageAnswer answer = MessageAnswer::Ok);
  ~RecordedMessages();
  RecordedMessages(const RecordedMessages &) = delete;
  RecordedMessages &operator=(const RecordedMessages &) = delete;
  const std::vector<MessageBoxRequest> &shown() const { return shown_; }

 private:
  std::vector<MessageBoxRequest> shown_;
};

// Records what is handed to the desktop instead of opening it.
class RecordedDesktop {
 public:
  RecordedDesktop();
  ~RecordedDesktop();
  RecordedDesktop(const RecordedDesktop &) = delete;
  RecordedDesktop &operator=(const RecordedDesktop &) = delete;
  const std::vector<QUrl> &opened() const { return opened_; }

 private:
  std::vector<QUrl> opened_;
};

// Answers the settings dialog's file chooser with the given path, and keeps
// the filters it was asked with.
class ChosenFile {
 public:
  explicit ChosenFile(QString path);
  ~ChosenFile();
  ChosenFile(const ChosenFile &) = delete;
  ChosenFile &operator=(const ChosenFile &) = delete;
  void SetPath(QString path) { path_ = std::move(path); }
  const std::vector<QString> &filters() const { return filters_; }

 private:
  QString path_;
  std::vector<QString> filters_;
};

}  // namespace velmora::test
