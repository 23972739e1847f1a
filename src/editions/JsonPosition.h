#pragma once
// Where a byte of a text lies, as an editor shows it: line and column, both
// counted from 1, columns in characters.
#include <QByteArray>

namespace velmora::editions {

struct TextPosition {
  long long line = 1, column = 1;
};

inline TextPosition PositionOf(const QByteArray &text, qsizetype byte) {
  TextPosition at;
  const qsizetype end = qBound<qsizetype>(0, byte, text.size());
  for (qsizetype i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++at.line;
      at.column = 1;
    } else if ((c & 0xC0) != 0x80) {  // not a continuation byte of UTF-8
      ++at.column;
    }
  }
  return at;
}

}  // namespace velmora::editions
