#pragma once
// The program as the session bus starts it for the desktop's search (the
// service file's --gapplication-service): the search answered without a
// window until one is asked for, and the program ended after a quiet minute
// when none was.
#include <QObject>
#include <QTimer>

#include "dictionary/IdiomSearch.h"
#include "platform/InstanceBus.h"

namespace velmora {

class WindowlessSearch : public QObject {
  Q_OBJECT
 public:
  static constexpr int kQuietMilliseconds = 60000;
  explicit WindowlessSearch(InstanceService &service);
  // The dictionary opened without a window or a message; false when it
  // cannot be.
  bool Open(const QString &executableFolder);
  SearchAnswers Answers();
  // A window was asked for: the program lives as long as it does.
  void WindowWanted();

 private:
  IdiomSearch search_;
  QTimer quiet_;
  bool windowWanted_ = false;
};

}  // namespace velmora
