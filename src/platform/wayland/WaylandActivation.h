#pragma once
// A window brought forward on Wayland with an activation token: the
// compositor lets a window take focus only when the program the user acted
// on passes the token it was launched with.
#include <QString>

class QWindow;

namespace velmora::wayland {

// True when the request went out (a Wayland session whose compositor offers
// xdg-activation, a shown window and a token).
bool ActivateWithToken(QWindow *window, const QString &token);

// The token this process was launched with (XDG_ACTIVATION_TOKEN), taken
// once: later windows of the process must not use it again.
QString TakeLaunchToken();

}  // namespace velmora::wayland
