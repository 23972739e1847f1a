#pragma once
// The selected text, read by the start that was asked to look it up (a
// desktop shortcut runs `velmora --selection`), before it hands the text to
// the running window: on Wayland only the program the user is in, or one
// the compositor trusts, may read the selection; a window in the background
// may not.
#include <QString>

namespace velmora {

// The primary selection where it holds text, else the clipboard; empty when
// nothing could be read within about a second. On Wayland through a
// data-control protocol where the compositor has one, else through a
// window of a moment that takes focus with the launcher's token; on X11
// through a helper process, since an owner may never answer.
QString ReadSelectionForLookup(const QString &activationToken);
// The same, read in this process however long the owner takes (on X11):
// the window's helper process.
QString ReadSelectionHere(const QString &activationToken);
// The clipboard alone, read in this process: on Wayland through a
// data-control protocol where there is one (a window without focus is
// given no clipboard there), else through Qt.
QString ReadClipboardHere();

}  // namespace velmora
