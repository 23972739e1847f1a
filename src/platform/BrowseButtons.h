#pragma once
// The mouse's back and forward buttons anywhere in a window: the lists would
// take them for themselves, so they are caught on their way there.
#include <QObject>
#include <functional>

class QWidget;

namespace velmora {

class BrowseButtons : public QObject {
 public:
  BrowseButtons(QWidget *window, std::function<void()> back, std::function<void()> forward);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QWidget *window_;
  std::function<void()> back_, forward_;
};

}  // namespace velmora
