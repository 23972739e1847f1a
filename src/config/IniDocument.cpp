#include "IniDocument.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");
const QByteArray kUtf16LeBom("\xFF\xFE");
const QByteArray kUtf16BeBom("\xFE\xFF");

bool IsValidUtf8(const QByteArray &bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder.decode(bytes);
  (void)decoded;
  return !decoder.hasError();
}

// Whether bytes without a byte-order mark are UTF-8: they must hold the
// evidence of three- or four-byte sequences (two-byte ones come by chance in
// GBK, as 郑伟 is D6 A3 CE B0), and few bytes that are not UTF-8 beside them:
// a GB18030 text holds chance runs of valid UTF-8 ("足，" is D7 E3 A3 AC, and
// E3 A3 AC is one), where a UTF-8 file may hold a stray byte of another
// encoding in a comment.
bool IsUtf8(const QByteArray &bytes) {
  const auto at = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
  const auto continuation = [](unsigned char c) { return c >= 0x80 && c <= 0xBF; };
  const qsizetype n = bytes.size();
  qsizetype longSequences = 0, strays = 0;
  for (qsizetype i = 0; i < n;) {
    const unsigned char lead = at(i);
    int length = lead < 0x80                    ? 1
                 : lead >= 0xC2 && lead <= 0xDF ? 2
                 : lead >= 0xE0 && lead <= 0xEF ? 3
                 : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                : 0;
    if (length >= 2) {
      const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
      const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
      bool valid = i + length <= n && at(i + 1) >= low && at(i + 1) <= high;
      for (int k = 2; valid && k < length; ++k) valid = continuation(at(i + k));
      if (!valid) length = 0;
    }
    if (length == 0) {
      ++strays;
      ++i;
      continue;
    }
    longSequences += length >= 3;
    i += length;
  }
  return longSequences > 0 && strays * 4 <= longSequences;
}

bool HasNonAscii(const QByteArray &bytes) {
  for (const char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

QString DecodeGb18030(const QByteArray &bytes) {
  QStringDecoder decoder("GB18030");
  return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray EncodeGb18030(const QString &text) {
  QStringEncoder encoder("GB18030");
  return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toUtf8();
}

QByteArray TrimBlanks(const QByteArray &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.mid(begin, end - begin);
}

QByteArray StripQuotes(const QByteArray &value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.mid(1, value.size() - 2);
  return value;
}

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

QString DecodeLikeSettings(const QByteArray &bytes) {
  if (bytes.startsWith(kUtf8Bom)) return QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
  if (bytes.startsWith(kUtf16LeBom) || bytes.startsWith(kUtf16BeBom)) {
    QStringDecoder decoder(bytes.startsWith(kUtf16LeBom) ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return decoder.decode(bytes.mid(2));
  }
  return HasNonAscii(bytes) && !IsUtf8(bytes) ? DecodeGb18030(bytes) : QString::fromUtf8(bytes);
}

IniDocument IniDocument::FromBytes(const QByteArray &bytes) {
  IniDocument doc;
  doc.original_ = bytes;
  QByteArray body = bytes;
  if (body.startsWith(kUtf8Bom)) {
    doc.byteOrderMark_ = true;
    body.remove(0, kUtf8Bom.size());
  } else if (body.startsWith(kUtf16LeBom) || body.startsWith(kUtf16BeBom)) {
    const bool little = body.startsWith(kUtf16LeBom);
    doc.encoding_ = little ? Encoding::Utf16Le : Encoding::Utf16Be;
    doc.byteOrderMark_ = true;
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    doc.SplitLines(QString(decoder.decode(body.mid(2))).toUtf8());
    return doc;
  }
  if (!doc.byteOrderMark_ && HasNonAscii(body) && !IsUtf8(body)) doc.encoding_ = Encoding::Gb18030;
  doc.SplitLines(body);
  return doc;
}

void IniDocument::SplitLines(const QByteArray &body) {
  const auto add = [this](Line line) {
    if (encoding_ == Encoding::Gb18030 || (encoding_ == Encoding::Utf8 && !IsValidUtf8(line.text)))
      line.codec = LineCodec::Gb18030;
    lines_.push_back(std::move(line));
  };
  qsizetype start = 0;
  const qsizetype n = body.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = body[i];
    if (c != '\n' && c != '\r') continue;
    Line line{body.mid(start, i - start), {}};
    if (c == '\r' && i + 1 < n && body[i + 1] == '\n') {
      line.end = "\r\n";
      ++i;
    } else {
      line.end = QByteArray(1, c);
    }
    add(std::move(line));
    start = i + 1;
  }
  if (start < n) add(Line{body.mid(start), {}});
}

QByteArray IniDocument::ToBytes() const {
  if (!changed_) return original_;
  QByteArray body;
  for (const Line &line : lines_) body += line.text + line.end;
  switch (encoding_) {
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
      QStringEncoder encoder(encoding_ == Encoding::Utf16Le ? QStringEncoder::Utf16LE : QStringEncoder::Utf16BE);
      return (encoding_ == Encoding::Utf16Le ? kUtf16LeBom : kUtf16BeBom) +
             QByteArray(encoder.encode(QString::fromUtf8(body)));
    }
    case Encoding::Utf8: return byteOrderMark_ ? kUtf8Bom + body : body;
    case Encoding::Gb18030: break;
  }
  return body;
}

QByteArray IniDocument::Encode(const QString &text) const {
  switch (encoding_) {
    case Encoding::Utf8: return text.toUtf8();
    case Encoding::Gb18030: return EncodeGb18030(text);
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
  }
  return text.toUtf8();
}

IniDocument::Line IniDocument::MakeLine(const QString &text) const {
  if (encoding_ == Encoding::Gb18030) return Line{EncodeGb18030(text), NewLine(), LineCodec::Gb18030};
  return Line{text.toUtf8(), NewLine(), LineCodec::Utf8};
}

IniDocument::Parsed IniDocument::Parse(const Line &line) const {
  const auto decode = [&line](const QByteArray &bytes) {
    return line.codec == LineCodec::Gb18030 ? DecodeGb18030(bytes) : QString::fromUtf8(bytes);
  };
  Parsed parsed;
  const QByteArray text = TrimBlanks(line.text);
  if (text.isEmpty() || text.front() == ';') return parsed;
  if (text.front() == '[') {
    const qsizetype close = text.lastIndexOf(']');
    if (close > 0) {
      parsed.kind = Kind::Section;
      parsed.name = decode(TrimBlanks(text.mid(1, close - 1)));
      return parsed;
    }
  }
  parsed.kind = Kind::Key;
  const qsizetype equals = text.indexOf('=');
  if (equals < 0) {
    parsed.name = decode(text);
    return parsed;
  }
  parsed.name = decode(TrimBlanks(text.left(equals)));
  parsed.value = TrimBlanks(text.mid(equals + 1));
  return parsed;
}

std::optional<size_t> IniDocument::FindSection(const QString &section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Parsed parsed = Parse(lines_[i]);
    if (parsed.kind == Kind::Section && SameName(parsed.name, section)) return i;
  }
  return std::nullopt;
}

const QHash<QString, IniDocument::KeyLines> &IniDocument::Index() const {
  if (index_) return *index_;
  index_.emplace();
  QString section;       // the section being read
  bool reading = false;  // false before the first section and in a repeated one
  for (size_t i = 0; i < lines_.size(); ++i) {
    const Parsed parsed = Parse(lines_[i]);
    if (parsed.kind == Kind::Section) {
      section = parsed.name.toCaseFolded();
      reading = !index_->contains(section);
      if (reading) index_->insert(section, {});
    } else if (parsed.kind == Kind::Key && reading) {
      KeyLines &keys = (*index_)[section];
      const QString name = parsed.name.toCaseFolded();
      if (!keys.contains(name)) keys.insert(name, i);
    }
  }
  return *index_;
}

std::optional<size_t> IniDocument::FindKey(const QString &section, const QString &key) const {
  const auto sectionFound = Index().constFind(section.toCaseFolded());
  if (sectionFound == Index().constEnd()) return std::nullopt;
  const auto keyFound = sectionFound->constFind(key.toCaseFolded());
  if (keyFound == sectionFound->constEnd()) return std::nullopt;
  return *keyFound;
}

std::optional<QByteArray> IniDocument::RawValue(const QString &section, const QString &key) const {
  const auto line = FindKey(section, key);
  if (!line) return std::nullopt;
  QByteArray value = StripQuotes(Parse(lines_[*line]).value);
  const qsizetype nul = value.indexOf('\0');
  if (nul >= 0) value.truncate(nul);
  return value;
}

QString IniDocument::Value(const QString &section, const QString &key, qsizetype maxBytes) const {
  const auto line = FindKey(section, key);
  if (!line || maxBytes <= 0) return {};
  const QByteArray raw = *RawValue(section, key);
  const QString text = lines_[*line].codec == LineCodec::Gb18030 ? DecodeGb18030(raw) : QString::fromUtf8(raw);
  QString result;
  qsizetype used = 0;
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    const QString character = text.mid(i, width);
    const qsizetype bytes = Encode(character).size();
    if (used + bytes > maxBytes) break;
    result += character;
    used += bytes;
    i += width;
  }
  return result;
}

QByteArray IniDocument::NewLine() const {
  for (const Line &line : lines_)
    if (!line.end.isEmpty()) return line.end;
  return "\n";
}

void IniDocument::SetValue(const QString &section, const QString &key, const QString &rawValue) {
  changed_ = true;
  index_.reset();
  // A line break inside the value would cut the file's lines apart.
  QString value = rawValue;
  value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const auto start = FindSection(section);
  if (!start) {
    if (!lines_.empty()) {
      if (lines_.back().end.isEmpty()) lines_.back().end = NewLine();
      if (!TrimBlanks(lines_.back().text).isEmpty()) lines_.push_back(Line{{}, NewLine()});
    }
    lines_.push_back(MakeLine(QLatin1Char('[') + section + QLatin1Char(']')));
    lines_.push_back(MakeLine(key + QLatin1Char('=') + value));
    KeepUtf8Evident();
    return;
  }
  size_t insertAt = *start + 1;
  for (size_t i = *start + 1; i < lines_.size(); ++i) {
    const Parsed parsed = Parse(lines_[i]);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
      const QByteArray end = lines_[i].end;
      lines_[i] = MakeLine(parsed.name + QLatin1Char('=') + value);
      lines_[i].end = end;
      KeepUtf8Evident();
      return;
    }
    if (parsed.kind != Kind::Other) insertAt = i + 1;
  }
  if (insertAt == lines_.size() && !lines_.empty() && lines_.back().end.isEmpty()) lines_.back().end = NewLine();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), MakeLine(key + QLatin1Char('=') + value));
  KeepUtf8Evident();
}

void IniDocument::KeepUtf8Evident() {
  if (encoding_ != Encoding::Utf8 || byteOrderMark_) return;
  QByteArray body;
  for (const Line &line : lines_) body += line.text + line.end;
  if (HasNonAscii(body) && !IsUtf8(body)) byteOrderMark_ = true;
}

}  // namespace velmora
