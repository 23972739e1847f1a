#include "Editions.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "SourceError.h"
#include "TraditionalConverter.h"
#include "data/SqlConnection.h"

namespace velmora::mkdata {

void BuildEditions(const std::vector<LoadedSource> &sources, const EditionPaths &paths, const QString &password,
                   const BuildControl &control) {
  std::vector<SourceEntry> entries;
  std::vector<SourceFacts> facts;
  for (const LoadedSource &source : sources) {
    entries.insert(entries.end(), source.entries.begin(), source.entries.end());
    for (const SourceFacts &fact : source.recorded.empty() ? std::vector<SourceFacts>{source.facts} : source.recorded)
      // A source imported again is named once.
      if (std::none_of(facts.begin(), facts.end(), [&fact](const SourceFacts &known) {
            return known.name == fact.name && known.version == fact.version;
          }))
        facts.push_back(fact);
  }
  control.Step(0.01);
  // Each edition asked for: its rows, its file, then the file verified as
  // the program will open it (with the key, every row there).
  const bool both = !paths.gb.isEmpty() && !paths.big5.isEmpty();
  double at = 0.01;
  for (const Edition edition : {Edition::Gb, Edition::Big5}) {
    const QString &path = edition == Edition::Gb ? paths.gb : paths.big5;
    if (path.isEmpty()) continue;
    const double share = both ? 0.49 : 0.98;
    const BuildControl rowsPart = control.Part(at, share * 0.15),
                       filePart = control.Part(at + share * 0.15, share * 0.85);
    std::unique_ptr<TraditionalConverter> converter;
    if (edition == Edition::Big5) converter = std::make_unique<TraditionalConverter>();
    const auto rows = BuildRows(entries, edition, converter.get(), &rowsPart);
    WriteEdition(rows, path, password, EditionDescription(edition, facts), facts, &filePart);
    if (CountIdioms(path, password) != static_cast<long long>(rows.size()))
      throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
    at += share;
    control.Step(at);
  }
  control.Step(1.0);
}

}  // namespace velmora::mkdata
