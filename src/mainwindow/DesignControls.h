#pragma once
// The makers every pane of the main window builds its controls with: panes,
// background pictures, picture buttons, text boxes and captions at their
// design places (in twips), each with the object name the language files,
// the tests and the accessibility tools find it by.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "platform/Twips.h"

namespace velmora {

QWidget *Pane(QWidget *parent, const char *name, double left, double top, double width, double height);
// A background picture that stretches to the image's size.
QLabel *Background(QWidget *parent, const char *name, double left, double top, double width, double height,
                   const QColor &from, const QColor &to, Qt::Orientation direction = Qt::Vertical);
// A button of a picture, its caption in its tool tip; what a screen reader
// says of it comes from the language file's key (English as the fallback).
QToolButton *PictureButton(QWidget *parent, const char *name, const QString &image, const char *nameKey,
                           const char *accessibleName, double left, double top, double width, double height);
QToolButton *BannerButton(QWidget *parent, const char *name, const QString &image, const QString &caption, double left);
// Read-only boxes of text: many lines, and one.
QPlainTextEdit *TextBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName,
                        double left, double top, double width, double height);
QLineEdit *LineBox(QWidget *parent, const char *name, const QString &text, const QString &accessibleName, double left,
                   double top, double width, double height);
// Bold once the window's first frame is on the screen.
void BoldAfterFirstPaint(QWidget *widget);

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
