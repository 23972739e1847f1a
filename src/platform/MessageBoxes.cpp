#include "MessageBoxes.h"

#include <QMessageBox>

namespace velmora {

namespace {

MessageBoxHandler &Handler() {
  static MessageBoxHandler handler;
  return handler;
}

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer ShowMessageBox(const MessageBoxRequest &request) {
  if (Handler()) return Handler()(request);
  const auto buttons = request.buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
  QMessageBox box(ToQt(request.icon), request.title, request.text, buttons);
  return box.exec() == QMessageBox::Cancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace velmora
