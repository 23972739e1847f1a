#pragma once
// A design's background picture that is a gradient: painted across the
// label at its size each time, where a stretched picture would keep a copy
// of itself at the label's size (half a megabyte for the window's few).
#include <QColor>
#include <QLabel>

namespace velmora {

class GradientLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  void SetGradient(const QColor &from, const QColor &to, Qt::Orientation direction);

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QColor from_, to_;
  Qt::Orientation direction_ = Qt::Vertical;
};

}  // namespace velmora
