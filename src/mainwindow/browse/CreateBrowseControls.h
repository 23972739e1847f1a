#pragma once
// The browse wing's controls: the view buttons and the list pane with the
// search box, the list, the index tree and the favourites.
#include "mainwindow/MainWindowControls.h"

namespace velmora {

void CreateButtonBar(BrowseControls &c, QWidget *sizer);
// The list pane; the list itself is a child of the window's client widget.
void CreateListPane(BrowseControls &c, QWidget *sizer, QWidget *client);
// The list pane's controls follow its width (wider than designed when the
// window is).
void FitListPaneWidth(const BrowseControls &c);

}  // namespace velmora
