#include "IdiomJsonSource.h"

#include <QRegularExpression>
#include <nlohmann/json.hpp>
#include "JsonPosition.h"
#include "SourceError.h"

namespace velmora::editions {

namespace {

std::optional<QString> Field(const nlohmann::json &object, const char *name) {
  const auto found = object.find(name);
  if (found == object.end() || !found->is_string()) return std::nullopt;
  const QString text = QString::fromStdString(found->get<std::string>()).trimmed();
  if (text.isEmpty() || text == QStringLiteral("无")) return std::nullopt;
  return text;
}

// A list of idioms given as an array of strings, or as one string separated
// by "、", "，", "," or blanks, under any of the names.
QStringList IdiomList(const nlohmann::json &object, std::initializer_list<const char *> names) {
  static const QRegularExpression separators(QStringLiteral("[、，,;；\\s]+"));
  QStringList idioms;
  const auto take = [&idioms](const QString &text) {
    for (const QString &idiom : text.split(separators, Qt::SkipEmptyParts))
      if (idiom != QStringLiteral("无") && !idioms.contains(idiom)) idioms << idiom;
  };
  for (const char *name : names) {
    const auto found = object.find(name);
    if (found == object.end()) continue;
    if (found->is_string()) take(QString::fromStdString(found->get<std::string>()));
    if (found->is_array())
      for (const auto &item : *found)
        if (item.is_string()) take(QString::fromStdString(item.get<std::string>()));
  }
  return idioms;
}

}  // namespace

std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json, const QString &fileName) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(json.constBegin(), json.constEnd());
  } catch (const nlohmann::json::parse_error &error) {
    // The byte is counted from 1 and points past the fault at the end.
    const TextPosition at = PositionOf(json, static_cast<qsizetype>(error.byte) - 1);
    throw SourceError(fileName, at.line, at.column,
                      error.byte > static_cast<size_t>(json.size()) ? QStringLiteral("the JSON ends too early")
                                                                    : QStringLiteral("this is not valid JSON here"));
  }
  if (!document.is_array())
    throw SourceError(fileName +
                      QStringLiteral(": expected a list of idioms ([{\"word\": ..., \"pinyin\": ...}, ...])"));
  std::vector<SourceEntry> idioms;
  for (const auto &object : document) {
    if (!object.is_object()) continue;
    const auto word = Field(object, "word");
    if (!word) continue;
    SourceEntry entry;
    entry.simplified = *word;
    entry.spell = Field(object, "pinyin").value_or(QString()).simplified();
    entry.note = Field(object, "explanation");
    entry.source = Field(object, "derivation");
    entry.example = Field(object, "example");
    entry.synonyms = IdiomList(object, {"synonyms", "近义词"});
    entry.antonyms = IdiomList(object, {"antonyms", "反义词"});
    idioms.push_back(std::move(entry));
  }
  return idioms;
}

}  // namespace velmora::editions
