#pragma once
// Window layouts are designed in twips; the screen takes 15 twips per pixel
// (Qt scales pixels for high-DPI screens).
#include <QRect>
#include <QtGlobal>

namespace velmora {

inline constexpr double kTwipsPerPixel = 15.0;

inline int Px(double twips) { return qRound(twips / kTwipsPerPixel); }
inline double Twips(int pixels) { return pixels * kTwipsPerPixel; }
inline QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace velmora
