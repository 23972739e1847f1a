#pragma once
// One INI-format text file in memory, in the layout the Windows private-profile
// functions read and write: "[section]" lines, "key=value" lines, ";" comments.
// Section and key names compare without regard to case; the first section and
// the first key of a name win. The file keeps its encoding (UTF-8, or GB18030
// for anything that is not valid UTF-8), its line ends and every other line
// byte for byte when a value is written.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace velmora {

class IniDocument {
 public:
  enum class Encoding { Utf8, Gb18030 };

  static IniDocument FromBytes(const QByteArray &bytes);
  QByteArray ToBytes() const;

  // The stored value in the file's own encoding, quotes around it removed;
  // nothing when the section or key is absent.
  std::optional<QByteArray> RawValue(const QString &section, const QString &key) const;
  // The value cut to at most maxBytes bytes of the file's encoding, never
  // splitting a character.
  QString Value(const QString &section, const QString &key, qsizetype maxBytes) const;
  // Replaces the value in place, or adds the key (and the section) as needed.
  void SetValue(const QString &section, const QString &key, const QString &value);

  Encoding encoding() const { return encoding_; }
  QString Decode(const QByteArray &bytes) const;
  QByteArray Encode(const QString &text) const;

 private:
  struct Line {
    QByteArray text;  // without its line end
    QByteArray end;   // "\r\n", "\n", "\r" or empty for the last line
  };
  struct Entry {
    QString key;
    QByteArray value;
  };
  enum class Kind { Other, Section, Key };
  struct Parsed {
    Kind kind = Kind::Other;
    QString name;      // section or key name
    QByteArray value;  // raw value of a key line
  };

  Parsed Parse(const Line &line) const;
  std::optional<size_t> FindSection(const QString &section) const;
  QByteArray NewLine() const;

  std::vector<Line> lines_;
  Encoding encoding_ = Encoding::Utf8;
  bool byteOrderMark_ = false;
};

}  // namespace velmora
