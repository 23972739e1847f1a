#include "platform/GradientLabel.h"

#include <QLinearGradient>
#include <QPainter>

namespace velmora {

void GradientLabel::SetGradient(const QColor &from, const QColor &to, Qt::Orientation direction) {
  from_ = from;
  to_ = to;
  direction_ = direction;
  update();
}

void GradientLabel::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const QPointF end = direction_ == Qt::Vertical ? QPointF(0, height()) : QPointF(width(), 0);
  QLinearGradient gradient(QPointF(0, 0), end);
  gradient.setColorAt(0, from_);
  gradient.setColorAt(1, to_);
  painter.fillRect(rect(), gradient);
}

}  // namespace velmora
