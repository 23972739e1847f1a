#pragma once
// Hands files, mail and web links to the desktop's default programs, behind
// a seam that tests can replace.
#include <QUrl>
#include <functional>

namespace velmora {

using DesktopHandler = std::function<void(const QUrl &)>;

// Opens the target with the desktop's handler; the result is not examined.
void OpenWithDesktop(const QUrl &target);
// Replaces the desktop hand-off (an empty handler restores it).
void SetDesktopHandler(DesktopHandler handler);

}  // namespace velmora
