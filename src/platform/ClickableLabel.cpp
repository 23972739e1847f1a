#include "ClickableLabel.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace velmora {

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked();
  QLabel::mouseDoubleClickEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
    emit activated();
    return;
  }
  QLabel::keyPressEvent(event);
}

bool ClickableLabel::IsElidedNow() const {
  return elided_ && fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void ClickableLabel::paintEvent(QPaintEvent *event) {
  if (!IsElidedNow()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  const QRect room = contentsRect();
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(room, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

bool ClickableLabel::event(QEvent *event) {
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    if (IsElidedNow())
      QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QLabel::event(event);
}

void ClickableLabel::ReachWithTab() {
  setFocusPolicy(Qt::TabFocus);
  QString style = styleSheet();
  if (!style.isEmpty() && !style.contains(QLatin1Char('{'))) style = QStringLiteral("QLabel { %1 }").arg(style);
  setStyleSheet(style + QStringLiteral(" QLabel:focus { border: 1px dotted palette(highlight); }"));
}

}  // namespace velmora
