#include "EditionInUseSource.h"

#include <QHash>
#include <QStringList>

#include "SourceError.h"
#include "data/EditionFacts.h"
#include "data/SqlConnection.h"

namespace velmora::editions {

namespace {

bool HasHan(const QString &text) {
  for (const QChar c : text)
    if (c.script() == QChar::Script_Han || c.isSurrogate()) return true;
  return false;
}

std::optional<QString> Text(const RecordSet &rows, const char *field) {
  const QString text = rows.Text(QLatin1String(field));
  return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// The Chinese explanation and the English definitions the builder joined.
void SplitNote(const QString &note, SourceEntry *entry) {
  QStringList lines = note.split(QLatin1Char('\n'));
  QStringList english;
  while (!lines.isEmpty() && !HasHan(lines.back()) && !lines.back().trimmed().isEmpty())
    english.prepend(lines.takeLast());
  const QString chinese = lines.join(QLatin1Char('\n')).trimmed();
  if (!chinese.isEmpty()) entry->note = chinese;
  if (!english.isEmpty()) entry->english = english.join(QStringLiteral("; "));
}

// The 近义词 (first) and 反义词 (second) its sources gave, by idiom, read in
// one pass; they go into the new edition too.
QHash<QString, std::pair<QStringList, QStringList>> RelatedTerms(const SqlConnection &db) {
  QHash<QString, std::pair<QStringList, QStringList>> related;
  RecordSet rows;
  if (!db.HasTable(QStringLiteral("VelmoraRelated")) ||
      db.Fetch(QStringLiteral("SELECT VELM.Idiom AS Idiom, Kind, Other FROM VelmoraRelated JOIN VELM USING (Code) "
                              "ORDER BY VelmoraRelated.rowid"),
               {}, &rows) != 0)
    return related;
  for (; !rows.EOF_(); rows.MoveNext()) {
    auto &terms = related[rows.Text(QStringLiteral("Idiom"))];
    (rows.Text(QStringLiteral("Kind")) == QLatin1String("2") ? terms.second : terms.first)
        << rows.Text(QStringLiteral("Other"));
  }
  return related;
}

}  // namespace

LoadedSource LoadEditionInUse(const QString &path, const QString &password) {
  QString error;
  const auto db = SqlConnection::Open(path, password, SqlConnection::Mode::ReadOnly, &error);
  RecordSet rows;
  if (!db ||
      db->Fetch(QStringLiteral("SELECT Idiom, Spell, Note, Source, Example FROM VELM ORDER BY Code"), {}, &rows) != 0)
    throw SourceError(QStringLiteral("%1: the dictionary in use cannot be read (%2)").arg(path, error));
  LoadedSource source;
  source.path = path;
  source.format = SourceFormat::EditionInUse;
  for (const EditionSource &recorded : ReadEditionSources(*db))
    source.recorded.push_back({recorded.name, recorded.version, recorded.licence});
  const QHash<QString, std::pair<QStringList, QStringList>> related = RelatedTerms(*db);
  for (; !rows.EOF_(); rows.MoveNext()) {
    SourceEntry entry;
    entry.simplified = rows.Text(QStringLiteral("Idiom"));
    const QStringList readings = rows.Text(QStringLiteral("Spell")).split(QStringLiteral("; "), Qt::SkipEmptyParts);
    entry.spell = readings.value(0);
    SplitNote(rows.Text(QStringLiteral("Note")), &entry);
    entry.source = Text(rows, "Source");
    entry.example = Text(rows, "Example");
    if (const auto found = related.find(entry.simplified); found != related.end()) {
      entry.synonyms = found->first;
      entry.antonyms = found->second;
    }
    source.entries.push_back(entry);
    // Further readings as entries of their own: the build merges them.
    for (qsizetype i = 1; i < readings.size(); ++i) {
      SourceEntry reading;
      reading.simplified = entry.simplified;
      reading.spell = readings[i];
      source.entries.push_back(reading);
    }
  }
  CountTexts(&source);
  return source;
}

}  // namespace velmora::editions
