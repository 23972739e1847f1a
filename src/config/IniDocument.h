#pragma once
// One INI-format text file in memory, in the layout the Windows private-profile
// functions read and write: "[section]" lines, "key=value" lines, ";" comments.
// Section and key names compare without regard to case; the first section and
// the first key of a name win. The file keeps its encoding, its line ends and
// every other line byte for byte when a value is written.
//
// The encoding: a byte-order mark says UTF-8, UTF-16LE or UTF-16BE. Without
// one, a file is UTF-8 when it holds a well-formed UTF-8 sequence of three or
// four bytes (every CJK character in UTF-8 is one; GBK text all but never
// forms one) or no byte above 0x7F at all; otherwise it is GB18030 (CP936).
// In a UTF-8 file a line that is not valid UTF-8 is read as GB18030 on its own.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace velmora {

// A whole text decoded as a settings file is (above): a byte-order mark's
// encoding, else UTF-8 or GB18030.
QString DecodeLikeSettings(const QByteArray &bytes);

class IniDocument {
 public:
  enum class Encoding { Utf8, Gb18030, Utf16Le, Utf16Be };

  static IniDocument FromBytes(const QByteArray &bytes);
  QByteArray ToBytes() const;

  // The stored value in its line's encoding, quotes around it removed;
  // nothing when the section or key is absent.
  std::optional<QByteArray> RawValue(const QString &section, const QString &key) const;
  // The value cut to at most maxBytes bytes of the file's encoding, never
  // splitting a character.
  QString Value(const QString &section, const QString &key, qsizetype maxBytes) const;
  // Replaces the value in place, or adds the key (and the section) as needed.
  void SetValue(const QString &section, const QString &key, const QString &value);

  Encoding encoding() const { return encoding_; }
  // The text in the file's encoding (what the buffer sizes count).
  QByteArray Encode(const QString &text) const;

 private:
  // How the bytes of one line are held in memory: UTF-16 files are held as
  // UTF-8 lines and turned back on output.
  enum class LineCodec { Utf8, Gb18030 };
  struct Line {
    QByteArray text;  // without its line end
    QByteArray end;   // "\r\n", "\n", "\r" or empty for the last line
    LineCodec codec = LineCodec::Utf8;
  };
  enum class Kind { Other, Section, Key };
  struct Parsed {
    Kind kind = Kind::Other;
    QString name;      // section or key name
    QByteArray value;  // raw value of a key line
  };

  void SplitLines(const QByteArray &body);
  Parsed Parse(const Line &line) const;
  std::optional<size_t> FindSection(const QString &section) const;
  std::optional<size_t> FindKey(const QString &section, const QString &key) const;
  QByteArray NewLine() const;
  Line MakeLine(const QString &text) const;
  // A UTF-8 file whose last evidence a write removed gets a byte-order mark,
  // so that it reads back as UTF-8.
  void KeepUtf8Evident();

  // The line of the first key of each name in the first section of each
  // name, by case-folded names; built at the first lookup, dropped by a write.
  using KeyLines = QHash<QString, size_t>;
  const QHash<QString, KeyLines> &Index() const;

  std::vector<Line> lines_;
  mutable std::optional<QHash<QString, KeyLines>> index_;
  Encoding encoding_ = Encoding::Utf8;
  bool byteOrderMark_ = false;
  // The bytes as read: an unchanged UTF-16 file is written back as it came.
  QByteArray original_;
  bool changed_ = false;
};

}  // namespace velmora
