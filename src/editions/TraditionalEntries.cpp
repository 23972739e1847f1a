#include "TraditionalEntries.h"

#include "EditionBuilder.h"
#include "TraditionalConverter.h"

namespace velmora::mkdata {

namespace {

void ConvertText(const TraditionalConverter &converter, std::optional<QString> &text) {
  if (text) text = converter.Convert(*text);
}

void ConvertEach(const TraditionalConverter &converter, QStringList &texts) {
  for (QString &text : texts) text = converter.Convert(text);
}

}  // namespace

std::vector<SourceEntry> InTraditional(const std::vector<SourceEntry> &entries, size_t from, size_t to,
                                       const BuildControl *control) {
  const TraditionalConverter converter;
  std::vector<SourceEntry> converted(entries.begin() + static_cast<ptrdiff_t>(from),
                                     entries.begin() + static_cast<ptrdiff_t>(to));
  for (size_t i = 0; i < converted.size(); ++i) {
    if (control && i % 256 == 0) control->Step(static_cast<double>(i) / static_cast<double>(converted.size()));
    SourceEntry &entry = converted[i];
    if (!entry.traditional.isEmpty()) continue;
    entry.traditional = converter.Convert(entry.simplified);
    ConvertText(converter, entry.note);
    ConvertText(converter, entry.source);
    ConvertText(converter, entry.example);
    ConvertEach(converter, entry.synonyms);
    ConvertEach(converter, entry.antonyms);
  }
  return converted;
}

}  // namespace velmora::mkdata
