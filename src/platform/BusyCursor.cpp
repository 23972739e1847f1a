#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "data/Conn.h"

namespace velmora {

namespace {

// Before any window is on the screen there is nothing for a busy pointer to
// show over, and the first one costs loading the cursor theme during the
// start-up's queries.
bool AnyWindowShown() {
  const QWindowList windows = QGuiApplication::topLevelWindows();
  return std::any_of(windows.cbegin(), windows.cend(), [](const QWindow *window) { return window->isVisible(); });
}

}  // namespace

void ShowBusyPointerDuringQueries() {
  SetQueryBusyHook([](bool busy) {
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) return;
    // Whether each open span set the pointer, so that its end restores only
    // what it set.
    static std::vector<bool> spans;
    if (busy) {
      spans.push_back(AnyWindowShown());
      if (spans.back()) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else if (!spans.empty()) {
      if (spans.back()) QGuiApplication::restoreOverrideCursor();
      spans.pop_back();
    }
  });
}

}  // namespace velmora
