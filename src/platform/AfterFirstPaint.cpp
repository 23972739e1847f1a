#include "AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace velmora {

namespace {

constexpr char kPaintedProperty[] = "velmoraFirstPaintDone";

// Holds the window's waiting work until its first paint event, then lets the
// paint finish (the work runs from the event loop, after the frame is
// flushed) and runs it in the order it was given.
class FirstPaintWatch : public QObject {
 public:
  explicit FirstPaintWatch(QWidget *window) : QObject(window), window_(window) {
    setObjectName(QStringLiteral("FirstPaintWatch"));
    window->installEventFilter(this);
  }
  void Add(std::function<void()> work) { waiting_.push_back(std::move(work)); }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched == window_ && event->type() == QEvent::Paint) {
      window_->removeEventFilter(this);
      window_->setProperty(kPaintedProperty, true);
      QTimer::singleShot(0, this, [this] {
        for (auto &work : std::exchange(waiting_, {})) work();
        deleteLater();
      });
    }
    return false;
  }

 private:
  QPointer<QWidget> window_;
  std::vector<std::function<void()>> waiting_;
};

}  // namespace

void AfterFirstPaint(QWidget *window, std::function<void()> work) {
  if (window->property(kPaintedProperty).toBool()) return work();
  auto *watch = window->findChild<FirstPaintWatch *>(QStringLiteral("FirstPaintWatch"), Qt::FindDirectChildrenOnly);
  if (watch == nullptr) watch = new FirstPaintWatch(window);
  watch->Add(std::move(work));
}

}  // namespace velmora
