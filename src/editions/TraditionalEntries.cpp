#include "TraditionalEntries.h"

#include <algorithm>

#include "EditionBuilder.h"
#include "TraditionalConverter.h"

namespace velmora::editions {

namespace {

// The entry's texts to convert, each with where its conversion goes: the
// idiom into its traditional form, the others in place.
template <typename Visit>
void EachText(SourceEntry &entry, Visit visit) {
  visit(entry.simplified, entry.traditional);
  for (std::optional<QString> *text : {&entry.note, &entry.source, &entry.example})
    if (*text) visit(**text, **text);
  for (QStringList *list : {&entry.synonyms, &entry.antonyms})
    for (QString &text : *list) visit(text, text);
}

// Entries are converted this many at a time: few calls into OpenCC, and
// progress told often.
constexpr size_t kBatch = 256;

}  // namespace

std::vector<SourceEntry> InTraditional(const std::vector<SourceEntry> &entries, size_t from, size_t to,
                                       const BuildControl *control) {
  const TraditionalConverter converter;
  std::vector<SourceEntry> converted(entries.begin() + static_cast<ptrdiff_t>(from),
                                     entries.begin() + static_cast<ptrdiff_t>(to));
  for (size_t first = 0; first < converted.size(); first += kBatch) {
    if (control) control->Step(static_cast<double>(first) / static_cast<double>(converted.size()));
    const size_t end = std::min(first + kBatch, converted.size());
    QStringList texts;
    for (size_t i = first; i < end; ++i)
      if (converted[i].traditional.isEmpty())
        EachText(converted[i], [&](const QString &from, QString &) { texts << from; });
    const QStringList done = converter.ConvertAll(texts);
    qsizetype next = 0;
    for (size_t i = first; i < end; ++i)
      if (converted[i].traditional.isEmpty())
        EachText(converted[i], [&](const QString &, QString &into) { into = done[next++]; });
  }
  return converted;
}

void SimplifyTraditionalWords(std::vector<SourceEntry> *entries, const ScriptConverter &toSimplified) {
  QStringList words;
  std::vector<size_t> at;
  for (size_t i = 0; i < entries->size(); ++i)
    if ((*entries)[i].traditional.isEmpty()) {
      words << (*entries)[i].simplified;
      at.push_back(i);
    }
  if (words.isEmpty()) return;
  const QStringList simplified = toSimplified.ConvertAll(words);
  for (qsizetype k = 0; k < simplified.size() && static_cast<size_t>(k) < at.size(); ++k) {
    // The entry stays one without a traditional form: the traditional
    // edition converts it whole, its texts with it, as before.
    if (simplified[k] != words[k]) (*entries)[at[static_cast<size_t>(k)]].simplified = simplified[k];
  }
}

}  // namespace velmora::editions
