#include "WindowMemory.h"

#include <QFileInfo>
#include <QSettings>

namespace velmora {

namespace {

// A window.ini written by the program is a few hundred bytes.
constexpr qint64 kLargestWindowFile = 64 * 1024;

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kMaximisedKey = QStringLiteral("window/maximised");
const QString kViewKey = QStringLiteral("window/view");
const QString kZoomKey = QStringLiteral("window/zoom");

int ZoomOf(const QVariant &value) {
  bool number = false;
  const int zoom = value.toString().trimmed().toInt(&number);
  return number && zoom >= WindowMemory::kLeastZoom && zoom <= WindowMemory::kMostZoom ? zoom
                                                                                       : WindowMemory::kDefaultZoom;
}

}  // namespace

WindowMemory ReadWindowMemory(const QString &path) {
  WindowMemory memory;
  const QFileInfo file(path);
  if (!file.isFile() || file.size() > kLargestWindowFile) return memory;
  const QSettings state(path, QSettings::IniFormat);
  if (state.status() != QSettings::NoError) return memory;
  memory.geometry = state.value(kGeometryKey).toRect();
  memory.maximised = state.value(kMaximisedKey).toBool();
  memory.view = state.value(kViewKey).toString();
  memory.zoom = ZoomOf(state.value(kZoomKey, WindowMemory::kDefaultZoom));
  return memory;
}

bool WriteWindowMemory(const QString &path, const WindowMemory &memory) {
  const QFileInfo file(path);
  if (file.exists() && !file.isFile()) return false;
  QSettings state(path, QSettings::IniFormat);
  state.setValue(kGeometryKey, memory.geometry);
  state.setValue(kMaximisedKey, memory.maximised);
  state.setValue(kViewKey, memory.view);
  state.setValue(kZoomKey, memory.zoom);
  state.sync();
  return state.status() == QSettings::NoError;
}

}  // namespace velmora
