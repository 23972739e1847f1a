#pragma once
// Window layouts are designed in twips; the screen takes 15 twips per pixel
// (Qt scales pixels for high-DPI screens).
#include <QLabel>
#include <QLatin1String>
#include <QRect>
#include <QWidget>
#include <QtGlobal>
#include <type_traits>

namespace velmora {

inline constexpr double kTwipsPerPixel = 15.0;

inline int Px(double twips) { return qRound(twips / kTwipsPerPixel); }
inline double Twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

// Places a control at its design rectangle (twips).
inline void PlaceAt(QWidget *control, double left, double top, double width, double height) {
  control->setGeometry(TwipsRect(left, top, width, height));
}

// A new control with its name, at its design rectangle.
template <class Control>
Control *MakeAt(QWidget *parent, const char *name, double left, double top, double width, double height) {
  auto *control = new Control(parent);
  control->setObjectName(QLatin1String(name));
  // Labels show names and captions from files: plain text, never markup.
  if constexpr (std::is_base_of_v<QLabel, Control>) control->setTextFormat(Qt::PlainText);
  PlaceAt(control, left, top, width, height);
  return control;
}

}  // namespace velmora
