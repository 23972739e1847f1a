// What the main window remembers for the user between runs: its size and
// place, whether it was maximised, and the view on show.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "config/InstallLayout.h"
#include "config/WindowMemory.h"
#include "data/UserStore.h"
#include "frmVELM.h"
#include "layout/WindowPlacement.h"

namespace velmora {

namespace {

std::vector<QRect> AvailableScreens() {
  std::vector<QRect> screens;
  for (const QScreen *screen : QGuiApplication::screens()) screens.push_back(screen->availableGeometry());
  return screens;
}

}  // namespace

void frmVELM::ShowAsRemembered() {
  const WindowMemory memory = ReadWindowMemory(WindowStatePath());
  const auto placed = PlacementOnScreens(memory.geometry, AvailableScreens());
  if (placed)
    setGeometry(*placed);
  else if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && memory.geometry.isNull())
    setGeometry(FirstStartGeometry(size(), screen->availableGeometry()));
  if (memory.maximised)
    showMaximized();
  else
    show();
}

void frmVELM::RestoreView() {
  const WindowMemory memory = ReadWindowMemory(WindowStatePath());
  // A value edited by hand is brought back to the steps the keys take.
  const int zoomSteps = (memory.zoom - WindowMemory::kDefaultZoom) / WindowMemory::kZoomStep;
  if (zoomSteps != 0) detail_->Zoom(zoomSteps);
  const std::optional<View> view = ViewNamed(memory.view);
  const bool stored = userStore_ && userStore_->IsAvailable();
  if (view == View::Index || ((view == View::Favourites || view == View::Study) && stored)) {
    browse_->ShowView(*view);
  }
}

void frmVELM::SaveWindowState() const {
  WriteWindowMemory(WindowStatePath(),
                    {normalGeometry(), isMaximized(), ViewName(browse_->CurrentView()), detail_->ZoomPercent()});
}

void frmVELM::closeEvent(QCloseEvent *event) {
  SaveWindowState();
  QMainWindow::closeEvent(event);
  // Closing the window ends the program, whatever other top-level window
  // (the character card, a lookup popup, a helper of one pixel) is still
  // shown and would otherwise keep it running unseen.
  // exit, not quit: quit would close every other window on its way.
  if (event->isAccepted()) QCoreApplication::exit(0);
}

}  // namespace velmora
