#pragma once
// Hands files, mail and web links to the desktop's default programs, behind
// a seam that tests can replace.
#include <QUrl>
#include <functional>

namespace velmora {

using DesktopHandler = std::function<void(const QUrl &)>;

// Opens the target with the desktop's handler; true when the desktop took
// it (callers may ignore it: nothing is shown when it fails).
bool OpenWithDesktop(const QUrl &target);
// Replaces the desktop hand-off (an empty handler restores it).
void SetDesktopHandler(DesktopHandler handler);

}  // namespace velmora
