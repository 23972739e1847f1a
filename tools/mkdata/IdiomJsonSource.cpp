#include "IdiomJsonSource.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace velmora::mkdata {

namespace {

std::optional<QString> Field(const nlohmann::json &object, const char *name) {
  const auto found = object.find(name);
  if (found == object.end() || !found->is_string()) return std::nullopt;
  const QString text = QString::fromStdString(found->get<std::string>()).trimmed();
  if (text.isEmpty() || text == QStringLiteral("无")) return std::nullopt;
  return text;
}

}  // namespace

std::vector<SourceEntry> ReadIdiomJson(const QByteArray &json) {
  const auto document = nlohmann::json::parse(json.constBegin(), json.constEnd());
  if (!document.is_array()) throw std::runtime_error("expected a JSON array of idioms");
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
    idioms.push_back(std::move(entry));
  }
  return idioms;
}

}  // namespace velmora::mkdata
