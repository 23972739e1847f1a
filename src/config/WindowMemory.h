#pragma once
// What the main window remembers for the user between runs (window.ini in
// the user's configuration folder): its size and place, whether it was
// maximised, the view on show and the zoom of the reading text. The file is
// the user's to edit: what does not read as a sane value reads as unset.
#include <QRect>
#include <QString>

namespace velmora {

struct WindowMemory {
  // The reading text's zoom in percent: its default, bounds and the keys' step.
  static constexpr int kDefaultZoom = 100, kLeastZoom = 70, kMostZoom = 250, kZoomStep = 10;
  QRect geometry;  // null when none is remembered
  bool maximised = false;
  QString view;
  int zoom = kDefaultZoom;  // percent, within kLeastZoom..kMostZoom
};

// Reads the file when it is a regular file of a sane size (a pipe or a
// device would block the start); the defaults otherwise.
WindowMemory ReadWindowMemory(const QString &path);
// Writes the file; false when it could not, or when something other than a
// regular file stands at the path.
bool WriteWindowMemory(const QString &path, const WindowMemory &memory);

}  // namespace velmora
