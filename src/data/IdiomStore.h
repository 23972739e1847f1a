#pragma once
// The dictionary's queries, in one place: every window asks here for typed
// records instead of writing SQL. Each runs through OpenRS with its exact
// query text, so the record-set rules hold (a failed query gives nothing).
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "EditionFacts.h"
#include "Queries.h"
#include "RecordSet.h"

namespace velmora {

// One row of the idiom table; absent values read as empty text.
struct IdiomRecord {
  QString code, idiom, firstA, initial, spell, note, source, example;
};

// Every idiom in idiom (pinyin) order, with its spelling at the same index.
// On editions that allow it the rows are read when they are asked for;
// otherwise they are all in memory.
class IdiomList {
 public:
  IdiomList() = default;
  explicit IdiomList(RecordSet rows);
  int size() const;
  // Empty for a row that is not there.
  QString IdiomAt(int row) const;
  QString SpellAt(int row) const;
  // The explanation; read with the row when paged, else looked up.
  QString NoteAt(int row) const;
  // True when the rows are read as they are asked for.
  bool IsPaged() const { return rows_.IsPaged(); }
  // The rows held in memory; empty when paged.
  const QStringList &Idioms() const { return idioms_; }
  const QStringList &Spells() const { return spells_; }

 private:
  RecordSet rows_;               // when paged
  QStringList idioms_, spells_;  // otherwise: only what the list needs
};

// A filing letter of the index and how many idioms it holds.
struct LetterCount {
  QString letter;
  long long count = 0;
};

// An idiom filed under a letter, with its code as stored.
struct FiledIdiom {
  QString code, idiom;
};

IdiomList AllIdioms();
// The highest idiom code as the database gives it; nothing without idioms.
std::optional<QString> HighestCode();
// The sources the edition in use was built from; empty when it does not say.
std::vector<EditionSource> EditionSources();
// The sources in one line: "CC-CEDICT (2024-05-01, CC BY-SA 4.0) + idioms";
// without versions: "CC-CEDICT (CC BY-SA 4.0) + idioms".
QString EditionSourcesLine(const std::vector<EditionSource> &sources, bool withVersions = true);
// The letters that file more than one idiom, in A-Z order.
std::vector<LetterCount> LetterCounts();
std::vector<FiledIdiom> IdiomsFiledUnder(const QString &letter);
// The 近义词 and 反义词 the edition's sources give for the idiom.
struct RelatedTerms {
  QStringList synonyms, antonyms;
};
RelatedTerms RelatedTermsOf(const QString &idiom);
// The idiom's record; nothing when no idiom has this text.
std::optional<IdiomRecord> Record(const QString &idiom);
// The idiom text of a code; nothing when no idiom has it.
std::optional<QString> IdiomByCode(long long code);

}  // namespace velmora
