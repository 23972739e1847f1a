#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

#include "data/Conn.h"

namespace velmora {

void ShowBusyPointerDuringQueries() {
  SetQueryBusyHook([](bool busy) {
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr) return;
    if (busy)
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
      QGuiApplication::restoreOverrideCursor();
  });
}

}  // namespace velmora
