#include "Editions.h"

#include <QFile>
#include <algorithm>
#include <QFileInfo>

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
  const BuildControl gbRows = control.Part(0.01, 0.07), gbFile = control.Part(0.08, 0.40);
  const auto gb = BuildRows(entries, Edition::Gb, nullptr, &gbRows);
  WriteEdition(gb, paths.gb, password, EditionDescription(Edition::Gb, facts), facts, &gbFile);
  const TraditionalConverter converter;
  control.Step(0.49);
  const BuildControl big5Rows = control.Part(0.49, 0.06), big5File = control.Part(0.55, 0.40);
  const auto big5 = BuildRows(entries, Edition::Big5, &converter, &big5Rows);
  WriteEdition(big5, paths.big5, password, EditionDescription(Edition::Big5, facts), facts, &big5File);
  // Verified as the program will open them: with the key, every row there.
  for (const auto &[path, rows] : {std::pair{paths.gb, gb.size()}, std::pair{paths.big5, big5.size()}}) {
    if (CountIdioms(path, password) != static_cast<long long>(rows))
      throw SourceError(QStringLiteral("%1 was written but does not read back whole").arg(path));
  }
  control.Step(1.0);
}

}  // namespace velmora::mkdata
