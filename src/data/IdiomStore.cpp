#include "IdiomStore.h"

#include "Conn.h"

namespace velmora {

ListedIdioms AllIdioms() {
  RecordSet all = OpenRS(kAllIdiomsQuery, false);
  ListedIdioms listed;
  listed.idioms.reserve(static_cast<qsizetype>(all.RowCount()));
  listed.spells.reserve(static_cast<qsizetype>(all.RowCount()));
  for (; !all.EOF_(); all.MoveNext()) {
    listed.idioms << all.Text(QStringLiteral("Idiom"));
    listed.spells << all.Text(QStringLiteral("Spell"));
  }
  return listed;
}

std::optional<QString> HighestCode() {
  return OpenRS(kHighestCodeQuery, false).Field(QStringLiteral("Maxcode"));
}

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

std::optional<IdiomRecord> Record(const QString &idiom) {
  const RecordSet row = OpenRS(kDetailQuery, true, {idiom});
  if (row.EOF_()) return std::nullopt;
  const auto text = [&row](const char *field) { return row.Text(QLatin1String(field)); };
  return IdiomRecord{text("Code"),    text("Idiom"), text("FirstA"), text("Initial"),
                     text("Spell"),   text("Note"),  text("Source"), text("Example")};
}

std::optional<QString> IdiomByCode(long long code) {
  return OpenRS(kIdiomByCodeQuery, false, {code}).Field(QStringLiteral("Idiom"));
}

}  // namespace velmora
