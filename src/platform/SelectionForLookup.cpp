#include "SelectionForLookup.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <optional>

#include "SelectionReader.h"
#include "platform/wayland/DataControlReader.h"
#include "platform/wayland/WaylandActivation.h"

namespace velmora {

namespace {

constexpr int kWaitMilliseconds = 1000;

// Runs the event loop until the test holds or the time is up.
bool WaitUntil(const std::function<bool()> &test, int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (!test() && clock.elapsed() < milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return test();
}

// As wl-clipboard does where nothing else serves: a window of one pixel,
// shown for a moment, given focus, and the selection read while it has it.
QString ReadWithFocus(const QString &activationToken) {
  QWidget moment(nullptr, Qt::Tool | Qt::FramelessWindowHint);
  moment.setAttribute(Qt::WA_TranslucentBackground);
  moment.resize(1, 1);
  moment.show();
  moment.activateWindow();
  wayland::ActivateWithToken(moment.windowHandle(), activationToken);
  WaitUntil([&moment] { return QGuiApplication::focusWindow() == moment.windowHandle(); }, kWaitMilliseconds);
  const QString text = SelectedText(SelectionReader::Source::Selection);
  moment.hide();
  return text;
}

QString ReadThroughHelper() {
  SelectionReader reader;
  std::optional<QString> read;
  reader.Read(SelectionReader::Source::Selection, [&read](const QString &text) { read = text; });
  WaitUntil([&read] { return read.has_value(); }, 2 * SelectionReader::kWaitMilliseconds);
  return read.value_or(QString());
}

}  // namespace

QString ReadSelectionHere(const QString &activationToken) {
  if (QGuiApplication::platformName() != QLatin1String("wayland"))
    return SelectedText(SelectionReader::Source::Selection);
  if (auto text = wayland::ReadSelectionWithDataControl(kWaitMilliseconds)) return *text;
  return ReadWithFocus(activationToken);
}

QString ReadClipboardHere() {
  if (QGuiApplication::platformName() == QLatin1String("wayland"))
    if (auto text = wayland::ReadClipboardWithDataControl(kWaitMilliseconds)) return *text;
  return SelectedText(SelectionReader::Source::Clipboard);
}

QString ReadSelectionForLookup(const QString &activationToken) {
  if (QGuiApplication::platformName() != QLatin1String("wayland")) return ReadThroughHelper();
  return ReadSelectionHere(activationToken);
}

}  // namespace velmora
