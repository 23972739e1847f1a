#pragma once
// A label that reports clicks and double clicks (links, logo, history).
#include <QLabel>

namespace velmora {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  // Text too long for the label ends in "…" and shows whole in a tool tip.
  void SetElided(bool elided) { elided_ = elided; }
  // Reached with Tab (and acting on Enter), with a dotted frame while it
  // has the keyboard.
  void ReachWithTab();
  bool IsElidedNow() const;

 signals:
  void clicked();
  void doubleClicked();
  // Enter or Space while the label has the keyboard focus.
  void activated();

 protected:
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  bool event(QEvent *event) override;

 private:
  bool elided_ = false;
};

}  // namespace velmora
