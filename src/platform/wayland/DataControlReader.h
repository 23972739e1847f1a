#pragma once
// The selection read through a data-control protocol, which a compositor
// answers without keyboard focus (wlroots' compositors, KDE Plasma 6 and
// others): the primary selection where it holds text, else the clipboard.
#include <QString>
#include <optional>

namespace velmora::wayland {

// Nothing when the session is not Wayland or the compositor offers no
// data-control protocol; the text otherwise (empty when neither selection
// holds text, or its owner did not answer within the time).
std::optional<QString> ReadSelectionWithDataControl(int timeoutMilliseconds);
// The same for the clipboard alone (what Ctrl+C copied).
std::optional<QString> ReadClipboardWithDataControl(int timeoutMilliseconds);

// The type of text to ask an owner for, best first; empty when it offers none.
QString TextMimeType(const QStringList &offered);

}  // namespace velmora::wayland
