#pragma once
// A control's tool tip names the keys that do what the control does, in
// every language, whoever sets the tip's text (the language files, a state
// the control shows): "成语接龙（Ctrl+J）", "Idiom chain (Ctrl+J)".
#include <QKeySequence>
#include <QString>

class QWidget;

namespace velmora {

// From now on the control's tool tip ends with the keys; a tip that names
// them already is left as it is, and a control without a tip shows its
// accessible name with them.
void NameShortcutInToolTip(QWidget *control, const QKeySequence &keys);
// The text with the keys, as a tool tip shows them.
QString WithShortcut(const QString &text, const QKeySequence &keys);

}  // namespace velmora
