#include "IniDocument.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

bool IsValidUtf8(const QByteArray &bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder.decode(bytes);
  (void)decoded;
  return !decoder.hasError();
}

QByteArray TrimBlanks(const QByteArray &text) {
  qsizetype begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.mid(begin, end - begin);
}

QByteArray StripQuotes(const QByteArray &value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.mid(1, value.size() - 2);
  return value;
}

bool SameName(const QString &a, const QString &b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

IniDocument IniDocument::FromBytes(const QByteArray &bytes) {
  IniDocument doc;
  QByteArray body = bytes;
  if (body.startsWith(kUtf8Bom)) {
    doc.byteOrderMark_ = true;
    body.remove(0, kUtf8Bom.size());
  }
  doc.encoding_ = IsValidUtf8(body) ? Encoding::Utf8 : Encoding::Gb18030;
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
    doc.lines_.push_back(std::move(line));
    start = i + 1;
  }
  if (start < n) doc.lines_.push_back(Line{body.mid(start), {}});
  return doc;
}

QByteArray IniDocument::ToBytes() const {
  QByteArray out = byteOrderMark_ ? kUtf8Bom : QByteArray();
  for (const Line &line : lines_) out += line.text + line.end;
  return out;
}

QString IniDocument::Decode(const QByteArray &bytes) const {
  if (encoding_ == Encoding::Utf8) return QString::fromUtf8(bytes);
  QStringDecoder decoder("GB18030");
  return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

QByteArray IniDocument::Encode(const QString &text) const {
  if (encoding_ == Encoding::Utf8) return text.toUtf8();
  QStringEncoder encoder("GB18030");
  return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toUtf8();
}

IniDocument::Parsed IniDocument::Parse(const Line &line) const {
  Parsed parsed;
  const QByteArray text = TrimBlanks(line.text);
  if (text.isEmpty() || text.front() == ';') return parsed;
  if (text.front() == '[') {
    const qsizetype close = text.lastIndexOf(']');
    if (close > 0) {
      parsed.kind = Kind::Section;
      parsed.name = Decode(TrimBlanks(text.mid(1, close - 1)));
      return parsed;
    }
  }
  parsed.kind = Kind::Key;
  const qsizetype equals = text.indexOf('=');
  if (equals < 0) {
    parsed.name = Decode(text);
    return parsed;
  }
  parsed.name = Decode(TrimBlanks(text.left(equals)));
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

std::optional<QByteArray> IniDocument::RawValue(const QString &section,
                                                const QString &key) const {
  const auto start = FindSection(section);
  if (!start) return std::nullopt;
  for (size_t i = *start + 1; i < lines_.size(); ++i) {
    const Parsed parsed = Parse(lines_[i]);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
      QByteArray value = StripQuotes(parsed.value);
      const qsizetype nul = value.indexOf('\0');
      if (nul >= 0) value.truncate(nul);
      return value;
    }
  }
  return std::nullopt;
}

QString IniDocument::Value(const QString &section, const QString &key,
                           qsizetype maxBytes) const {
  const auto raw = RawValue(section, key);
  if (!raw || maxBytes <= 0) return {};
  const QString text = Decode(*raw);
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
  // A line break inside the value would cut the file's lines apart.
  QString value = rawValue;
  value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const auto start = FindSection(section);
  if (!start) {
    if (!lines_.empty()) {
      if (lines_.back().end.isEmpty()) lines_.back().end = NewLine();
      if (!TrimBlanks(lines_.back().text).isEmpty()) lines_.push_back(Line{{}, NewLine()});
    }
    lines_.push_back(Line{Encode(QLatin1Char('[') + section + QLatin1Char(']')), NewLine()});
    lines_.push_back(Line{Encode(key + QLatin1Char('=') + value), NewLine()});
    return;
  }
  size_t insertAt = *start + 1;
  for (size_t i = *start + 1; i < lines_.size(); ++i) {
    const Parsed parsed = Parse(lines_[i]);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
      lines_[i].text = Encode(parsed.name + QLatin1Char('=') + value);
      return;
    }
    if (parsed.kind != Kind::Other) insertAt = i + 1;
  }
  if (insertAt == lines_.size() && !lines_.empty() && lines_.back().end.isEmpty())
    lines_.back().end = NewLine();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                Line{Encode(key + QLatin1Char('=') + value), NewLine()});
}

}  // namespace velmora
