// What the main window remembers for the user between runs: its size and
// place, whether it was maximised, and the view on show.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "config/InstallLayout.h"
#include "data/UserStore.h"
#include "frmVELM.h"
#include "layout/WindowPlacement.h"

namespace velmora {

namespace {

QSettings WindowState() { return QSettings(WindowStatePath(), QSettings::IniFormat); }

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kMaximisedKey = QStringLiteral("window/maximised");
const QString kViewKey = QStringLiteral("window/view");
const QString kZoomKey = QStringLiteral("window/zoom");

std::vector<QRect> AvailableScreens() {
  std::vector<QRect> screens;
  for (const QScreen *screen : QGuiApplication::screens()) screens.push_back(screen->availableGeometry());
  return screens;
}

}  // namespace

void frmVELM::ShowAsRemembered() {
  const QSettings state = WindowState();
  const auto placed = PlacementOnScreens(state.value(kGeometryKey).toRect(), AvailableScreens());
  if (placed) setGeometry(*placed);
  if (state.value(kMaximisedKey).toBool()) showMaximized();
  else show();
}

void frmVELM::RestoreView() {
  const QSettings state = WindowState();
  // A value edited by hand is brought back to the steps the keys take.
  const int zoomSteps = (state.value(kZoomKey, 100).toInt() - 100) / 10;
  if (zoomSteps != 0) Zoom(zoomSteps);
  const QString view = state.value(kViewKey).toString();
  if (view == kIndexView || (view == kFavouritesView && userStore_ && userStore_->IsAvailable())) {
    viewMode_ = view;
    ApplyViewMode();
  }
}

void frmVELM::SaveWindowState() const {
  QSettings state = WindowState();
  state.setValue(kGeometryKey, normalGeometry());
  state.setValue(kMaximisedKey, isMaximized());
  state.setValue(kViewKey, viewMode_);
  state.setValue(kZoomKey, zoomPercent_);
  state.sync();
}

void frmVELM::closeEvent(QCloseEvent *event) {
  SaveWindowState();
  QMainWindow::closeEvent(event);
}

}  // namespace velmora
