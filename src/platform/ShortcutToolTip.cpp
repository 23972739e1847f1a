#include "platform/ShortcutToolTip.h"

#include <QEvent>
#include <QWidget>

#include "lang/Captions.h"

namespace velmora {

namespace {

// Watches the control's tool tip and adds the keys whenever it changes.
class ShortcutNamer : public QObject {
 public:
  ShortcutNamer(QWidget *control, const QKeySequence &keys) : QObject(control), control_(control), keys_(keys) {
    control->installEventFilter(this);
    Name();
  }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched == control_ && event->type() == QEvent::ToolTipChange) Name();
    return false;
  }

 private:
  void Name() {
    const QString keys = keys_.toString(QKeySequence::NativeText);
    const QString tip = control_->toolTip().isEmpty() ? control_->accessibleName() : control_->toolTip();
    if (tip.isEmpty() || tip.contains(keys)) return;
    control_->setToolTip(WithShortcut(tip, keys_));
  }

  QWidget *control_;
  QKeySequence keys_;
};

}  // namespace

QString WithShortcut(const QString &text, const QKeySequence &keys) {
  return CaptionOr("TIPSHORTCUT", "%1 (%2)").arg(text, keys.toString(QKeySequence::NativeText));
}

void NameShortcutInToolTip(QWidget *control, const QKeySequence &keys) {
  if (control != nullptr) new ShortcutNamer(control, keys);
}

}  // namespace velmora
