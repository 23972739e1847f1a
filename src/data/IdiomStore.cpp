#include "IdiomStore.h"

#include "Conn.h"

namespace velmora {

IdiomList::IdiomList(RecordSet rows) {
  if (rows.IsPaged()) {
    rows_ = std::move(rows);
    return;
  }
  idioms_.reserve(static_cast<qsizetype>(rows.RowCount()));
  spells_.reserve(static_cast<qsizetype>(rows.RowCount()));
  for (; !rows.EOF_(); rows.MoveNext()) {
    idioms_ << rows.Text(QStringLiteral("Idiom"));
    spells_ << rows.Text(QStringLiteral("Spell"));
  }
}

int IdiomList::size() const {
  return IsPaged() ? static_cast<int>(rows_.RowCount()) : static_cast<int>(idioms_.size());
}

QString IdiomList::IdiomAt(int row) const {
  if (row < 0) return {};
  if (!IsPaged()) return idioms_.value(row);
  return rows_.FieldAt(static_cast<size_t>(row), QStringLiteral("Idiom")).value_or(QString());
}

QString IdiomList::SpellAt(int row) const {
  if (row < 0) return {};
  if (!IsPaged()) return spells_.value(row);
  return rows_.FieldAt(static_cast<size_t>(row), QStringLiteral("Spell")).value_or(QString());
}

QString IdiomList::NoteAt(int row) const {
  if (row < 0 || row >= size()) return {};
  if (IsPaged()) return rows_.FieldAt(static_cast<size_t>(row), QStringLiteral("Note")).value_or(QString());
  const auto record = Record(IdiomAt(row));
  return record ? record->note : QString();
}

IdiomList AllIdioms() { return IdiomList(OpenRS(kAllIdiomsQuery, false)); }

std::vector<EditionSource> EditionSources() {
  const auto connection = DictionaryConnection();
  return connection ? ReadEditionSources(*connection) : std::vector<EditionSource>{};
}

QString EditionSourcesLine(const std::vector<EditionSource> &sources, bool withVersions) {
  QStringList parts;
  for (const EditionSource &source : sources) {
    QStringList facts;
    if (withVersions && !source.version.isEmpty()) facts << source.version;
    if (!source.licence.isEmpty()) facts << source.licence;
    parts << (facts.isEmpty()
                  ? source.name
                  : source.name + QStringLiteral(" (") + facts.join(QStringLiteral(", ")) + QLatin1Char(')'));
  }
  return parts.join(QStringLiteral(" + "));
}

std::optional<QString> HighestCode() { return OpenRS(kHighestCodeQuery, false).Field(QStringLiteral("Maxcode")); }

std::vector<LetterCount> LetterCounts() {
  std::vector<LetterCount> letters;
  for (RecordSet rows = OpenRS(kLetterQuery, true); !rows.EOF_(); rows.MoveNext())
    letters.push_back({rows.Text(QStringLiteral("FirstA")), rows.Text(QStringLiteral("NumberOfDups")).toLongLong()});
  return letters;
}

std::vector<FiledIdiom> IdiomsFiledUnder(const QString &letter) {
  std::vector<FiledIdiom> idioms;
  for (RecordSet rows = OpenRS(kIdiomsOfLetterQuery, true, {letter}); !rows.EOF_(); rows.MoveNext())
    idioms.push_back({rows.Text(QStringLiteral("Code")), rows.Text(QStringLiteral("Idiom"))});
  return idioms;
}

RelatedTerms RelatedTermsOf(const QString &idiom) {
  RelatedTerms terms;
  const auto connection = DictionaryConnection();
  if (!connection) return terms;
  for (const auto &[kind, other] : ReadRelatedTerms(*connection, idiom))
    (kind == 2 ? terms.antonyms : terms.synonyms) << other;
  return terms;
}

std::optional<IdiomRecord> Record(const QString &idiom) {
  const RecordSet row = OpenRS(kDetailQuery, true, {idiom});
  if (row.EOF_()) return std::nullopt;
  const auto text = [&row](const char *field) { return row.Text(QLatin1String(field)); };
  return IdiomRecord{text("Code"),  text("Idiom"), text("FirstA"), text("Initial"),
                     text("Spell"), text("Note"),  text("Source"), text("Example")};
}

std::optional<QString> IdiomByCode(long long code) {
  return OpenRS(kIdiomByCodeQuery, false, {code}).Field(QStringLiteral("Idiom"));
}

}  // namespace velmora
