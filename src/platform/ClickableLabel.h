#pragma once
// A label that reports clicks and double clicks (links, logo, history).
#include <QLabel>

namespace velmora {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();
  void doubleClicked();
  // Enter or Space while the label has the keyboard focus.
  void activated();

 protected:
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
};

}  // namespace velmora
