#include "IdiomJsonSource.h"

#include <QRegularExpression>
#include <nlohmann/json.hpp>
#include "JsonPosition.h"
#include "ReadingWritings.h"
#include "SourceError.h"
#include "dictionary/Pinyin.h"

namespace velmora::editions {

namespace {

// The text under the first of the names the object has: the data sets name
// their fields in English or in Chinese.
std::optional<QString> Field(const nlohmann::json &object, std::initializer_list<const char *> names) {
  for (const char *name : names) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string()) continue;
    const QString text = QString::fromStdString(found->get<std::string>()).trimmed();
    if (text.isEmpty() || text == QStringLiteral("无")) return std::nullopt;
    return text;
  }
  return std::nullopt;
}

// A reading as the editions write it: tone numbers made tone marks, and
// apostrophes and hyphens, which only part syllables, made blanks.
QString OneReading(const QString &given) {
  static const QRegularExpression parts(QStringLiteral("['’\\-]+")), toneNumber(QStringLiteral("[a-zA-ZüÜ:][1-5]"));
  QString reading = QString(given).replace(parts, QStringLiteral(" ")).simplified();
  if (reading.contains(toneNumber)) reading = NumberedToToneMarks(reading);
  return reading;
}

// The readings of a field ("a; b"), each written once.
QString Reading(const QString &given) {
  QString readings;
  for (const QString &each : QString(given).replace(u'；', u';').split(QLatin1Char(';')))
    readings = JoinReadings(readings, OneReading(each));
  return readings;
}

// A list of idioms: an array (each item whole), or one text split at the
// separator it uses, the first of "、", "；", ";" and "，" or "," it holds,
// else at blanks. A comma inside an idiom of a list separated otherwise
// stays in it.
QStringList IdiomList(const nlohmann::json &object, std::initializer_list<const char *> names) {
  QStringList idioms;
  const auto keep = [&idioms](const QString &idiom) {
    const QString trimmed = idiom.trimmed();
    if (!trimmed.isEmpty() && trimmed != QStringLiteral("无") && !idioms.contains(trimmed)) idioms << trimmed;
  };
  const auto split = [&keep](const QString &text) {
    for (const char *separator : {"、", "；", ";"})
      if (text.contains(QString::fromUtf8(separator))) {
        for (const QString &part : text.split(QString::fromUtf8(separator))) keep(part);
        return;
      }
    static const QRegularExpression commas(QStringLiteral("[，,]")), blanks(QStringLiteral("\\s+"));
    for (const QString &part : text.split(text.contains(commas) ? commas : blanks)) keep(part);
  };
  for (const char *name : names) {
    const auto found = object.find(name);
    if (found == object.end()) continue;
    if (found->is_string()) split(QString::fromStdString(found->get<std::string>()));
    if (found->is_array())
      for (const auto &item : *found)
        if (item.is_string()) keep(QString::fromStdString(item.get<std::string>()));
  }
  return idioms;
}

// The entries of a document: a list of objects, an object holding one such
// list (under any name), or an object of objects keyed by the idiom.
std::vector<nlohmann::json> EntriesOf(const nlohmann::json &document) {
  std::vector<nlohmann::json> entries;
  if (document.is_array()) return document.get<std::vector<nlohmann::json>>();
  if (!document.is_object()) return entries;
  for (const auto &[key, value] : document.items())
    if (value.is_array() && !value.empty() && value.front().is_object()) return value.get<std::vector<nlohmann::json>>();
  for (const auto &[key, value] : document.items())
    if (value.is_object()) {
      nlohmann::json entry = value;
      if (!entry.contains("word") && !entry.contains("成语") && !entry.contains("词语")) entry["word"] = key;
      entries.push_back(std::move(entry));
    }
  return entries;
}

// JSON Lines: an object on each line. Nothing when a line is not one.
std::optional<nlohmann::json> JsonLines(const QByteArray &text) {
  nlohmann::json list = nlohmann::json::array();
  for (const QByteArray &line : text.split('\n')) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty()) continue;
    nlohmann::json object = nlohmann::json::parse(trimmed.constBegin(), trimmed.constEnd(), nullptr, false);
    if (!object.is_object()) return std::nullopt;
    list.push_back(std::move(object));
  }
  return list.empty() ? std::nullopt : std::optional<nlohmann::json>(std::move(list));
}

}  // namespace

std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json, const QString &fileName, SkippedEntries *skipped) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(json.constBegin(), json.constEnd());
  } catch (const nlohmann::json::parse_error &error) {
    if (auto lines = JsonLines(json)) return ReadIdiomJsonDocument(*lines, fileName, skipped);
    // The byte is counted from 1 and points past the fault at the end.
    const TextPosition at = PositionOf(json, static_cast<qsizetype>(error.byte) - 1);
    throw SourceError(fileName, at.line, at.column,
                      error.byte > static_cast<size_t>(json.size()) ? QStringLiteral("the JSON ends too early")
                                                                    : QStringLiteral("this is not valid JSON here"));
  }
  return ReadIdiomJsonDocument(document, fileName, skipped);
}

std::vector<SourceEntry> ReadIdiomJsonDocument(const nlohmann::json &document, const QString &fileName,
                                               SkippedEntries *skipped) {
  SkippedEntries left;
  const std::vector<nlohmann::json> objects = EntriesOf(document);
  // An empty list is a list (of no idioms); anything else without entries is no list.
  if (objects.empty() && !document.is_array())
    throw SourceError(fileName +
                      QStringLiteral(": expected a list of idioms ([{\"word\": ..., \"pinyin\": ...}, ...])"));
  std::vector<SourceEntry> idioms;
  for (const auto &object : objects) {
    if (!object.is_object()) {
      ++left.notAnEntry;
      continue;
    }
    const auto word = Field(object, {"word", "成语", "词语"});
    if (!word) {
      ++left.withoutIdiom;
      continue;
    }
    SourceEntry entry;
    entry.simplified = *word;
    entry.spell = Reading(Field(object, {"pinyin", "拼音"}).value_or(QString()));
    if (entry.spell.isEmpty()) {
      ++left.withoutReading;
      continue;
    }
    entry.note = Field(object, {"explanation", "解释", "释义"});
    entry.source = Field(object, {"derivation", "出处"});
    entry.example = Field(object, {"example", "例子", "例句"});
    entry.synonyms = IdiomList(object, {"synonyms", "近义词"});
    entry.antonyms = IdiomList(object, {"antonyms", "反义词"});
    idioms.push_back(std::move(entry));
  }
  if (skipped) *skipped = left;
  return idioms;
}

}  // namespace velmora::editions
