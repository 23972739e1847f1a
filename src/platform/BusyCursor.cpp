#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace velmora {

BusyCursor::BusyCursor() : active_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr) {
  if (active_) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
  if (active_) QGuiApplication::restoreOverrideCursor();
}

}  // namespace velmora
