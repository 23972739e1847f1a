#include "BrowseButtons.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace velmora {

BrowseButtons::BrowseButtons(QWidget *window, std::function<void()> back, std::function<void()> forward)
    : QObject(window), window_(window), back_(std::move(back)), forward_(std::move(forward)) {
  qApp->installEventFilter(this);
}

bool BrowseButtons::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::MouseButtonPress) return false;
  const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
  if (button != Qt::BackButton && button != Qt::ForwardButton) return false;
  auto *widget = qobject_cast<QWidget *>(watched);
  if (widget == nullptr || widget->window() != window_) return false;
  (button == Qt::BackButton ? back_ : forward_)();
  return true;
}

}  // namespace velmora
