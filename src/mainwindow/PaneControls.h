#pragma once
// Small makers shared by the panes that build their controls in code.
#include <QLabel>
#include <QPushButton>

#include "platform/Twips.h"

namespace velmora {

// A push button with its caption and the object name tests and tools find it by.
inline QPushButton *NamedButton(QWidget *parent, const char *name, const QString &caption) {
  auto *button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

// A label at its place in twips, with its text.
inline QLabel *Caption(QWidget *parent, const char *name, const QString &text, double left, double top, double width,
                       double height) {
  QLabel *label = MakeAt<QLabel>(parent, name, left, top, width, height);
  label->setText(text);
  return label;
}

}  // namespace velmora
