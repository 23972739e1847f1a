#pragma once
// Work the first frame of a window does not show, kept until that frame is
// on the screen so that it does not delay it.
#include <functional>

class QWidget;

namespace velmora {

// Runs the work once, just after the window's first paint; at once when the
// window has painted already.
void AfterFirstPaint(QWidget *window, std::function<void()> work);

}  // namespace velmora
