#include "WindowlessSearch.h"

#include <QCoreApplication>

#include "Startup.h"
#include "config/ProgramValues.h"
#include "data/IdiomStore.h"
#include "dictionary/DesktopSearch.h"

namespace velmora {

WindowlessSearch::WindowlessSearch(InstanceService &service) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(kQuietMilliseconds);
  connect(&quiet_, &QTimer::timeout, this, [] { QCoreApplication::quit(); });
  connect(&service, &InstanceService::searched, this, [this] {
    if (!windowWanted_) quiet_.start();
  });
}

bool WindowlessSearch::Open(const QString &executableFolder) {
  if (!OpenDictionaryQuietly(executableFolder)) return false;
  search_.Open(AllIdioms(), ConnString());
  // Made while the desktop waits for nothing yet: the first query is answered at once.
  search_.Start();
  quiet_.start();
  return true;
}

SearchAnswers WindowlessSearch::Answers() {
  return {[this](const QString &key) { return DesktopResults(search_, key); }, DesktopDescription};
}

void WindowlessSearch::WindowWanted() {
  windowWanted_ = true;
  quiet_.stop();
}

}  // namespace velmora
