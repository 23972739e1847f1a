#pragma once
// What the character card shows of one character, from the stroke file the
// data builder writes beside the editions (Data/strokes.dat): its strokes
// in order as SVG path data, with the median each stroke is drawn along
// (both from hanzi-writer-data, on its 1024-unit grid, y upwards from 900
// below the top), and CC-CEDICT's readings and definitions of it.
//
// The file: "VELMSTROKES2\n"; the length of a preset dictionary (uint32)
// and the dictionary; the number of characters (uint32), then for each
// character in code-point order its code point, offset and length (uint32
// each, little-endian); then each character's record: a JSON object {"s":
// [path, ...], "m": ["x y x y ...", ...], "r": [[reading, definitions],
// ...]} deflated (zlib) with the preset dictionary, which holds what records
// share, so that a record of a kilobyte packs nearly as well as the whole
// file would. The header is read at first; a record when its character is
// asked for.
#include <QFile>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace velmora {

struct CharacterStrokes {
  // More than any character has (the most, 龘 and its kin, have about 50).
  static constexpr int kMostStrokes = 64;
  QStringList strokes;                        // SVG path data, in writing order
  std::vector<std::vector<QPointF>> medians;  // one per stroke, where the pen goes
  struct Sense {
    QString reading, english;
  };
  std::vector<Sense> senses;  // CC-CEDICT's entries of the character
};

class StrokeFile {
 public:
  static constexpr char kMagic[] = "VELMSTROKES2\n";
  // Nothing when the file is missing, not a regular file or not a stroke file.
  static std::unique_ptr<StrokeFile> Open(const QString &path);
  // Nothing when the file holds no record of the character, or a damaged one:
  // more than kMostStrokes strokes, or a path of more than SVG path data.
  std::optional<CharacterStrokes> Find(const QString &character);
  int size() const { return static_cast<int>(index_.size()); }

 private:
  struct Entry {
    uint32_t codePoint, offset, length;
  };
  QFile file_;
  QByteArray dictionary_;
  std::vector<Entry> index_;
};

// A record deflated with the preset dictionary, and back; an empty result
// when the bytes are not such a record (or unpack to more than `most`).
QByteArray DeflateWith(const QByteArray &data, const QByteArray &dictionary);
QByteArray InflateWith(const QByteArray &packed, const QByteArray &dictionary, qsizetype most);

}  // namespace velmora
