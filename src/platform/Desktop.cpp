#include "Desktop.h"

#include <QDesktopServices>

namespace velmora {

namespace {

DesktopHandler &Handler() {
  static DesktopHandler handler;
  return handler;
}

}  // namespace

bool OpenWithDesktop(const QUrl &target) {
  if (Handler()) {
    Handler()(target);
    return true;
  }
  return QDesktopServices::openUrl(target);
}

void SetDesktopHandler(DesktopHandler handler) { Handler() = std::move(handler); }

}  // namespace velmora
