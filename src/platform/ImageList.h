#pragma once
// The pictures of the index tree and the buttons, by key ("book", "open",
// "black", "select", ...).
#include <QIcon>
#include <QString>

namespace velmora {

QIcon ImageByKey(const QString &key);
bool HasImage(const QString &key);

}  // namespace velmora
