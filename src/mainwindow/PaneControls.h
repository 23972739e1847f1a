#pragma once
// Small makers shared by the panes that build their controls in code.
#include <QPushButton>

namespace velmora {

// A push button with its caption and the object name tests and tools find it by.
inline QPushButton *NamedButton(QWidget *parent, const char *name, const QString &caption) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

}  // namespace velmora
