#pragma once
// Bold drawn from the regular face. The bold Chinese face is another file of
// megabytes, parsed into another megabyte of tables; drawing the regular
// face heavier (Qt does so when a bold font is asked of a regular style)
// keeps one Chinese face in memory for all the text.
#include <QFont>
#include <QString>

namespace velmora {

// The style asked for with bold. A family without a "Regular" style is
// matched by weight as ever, and takes its own bold face.
inline QString RegularStyleName() { return QStringLiteral("Regular"); }

inline QFont BoldFromRegular(QFont font) {
  font.setBold(true);
  font.setStyleName(RegularStyleName());
  return font;
}

}  // namespace velmora
