#include "EditionBuilder.h"

#include <sqlite3.h>

#include <zlib.h>
#include <QFile>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "CedictNotation.h"
#include "ReadingCheck.h"
#include "ReadingWritings.h"
#include "ScriptConverter.h"
#include "SourceError.h"
#include "data/MeaningIndex.h"
#include "data/MeaningSearch.h"
#include "data/Queries.h"
#include "data/SqlConnection.h"
#include "data/WordTokens.h"
#include "data/ZhCollation.h"
#include "data/ZhOrder.h"
#include "dictionary/IdiomFinder.h"
#include "dictionary/Pinyin.h"
#include "dictionary/RelatedIndex.h"

namespace velmora::editions {

namespace {

void AddDistinct(std::optional<QString> &into, const std::optional<QString> &value, const QString &separator) {
  if (!value || value->isEmpty()) return;
  if (!into) {
    into = value;
    return;
  }
  if (!into->split(separator).contains(*value)) *into += separator + *value;
}

// The weights of the pinyin order, ties broken by the UTF-8 bytes: the
// order of the database collation (CompareZhOrder), a key made once a row.
struct CollationKey {
  std::u32string weights;
  QByteArray utf8;
  bool operator<(const CollationKey &other) const {
    return weights != other.weights ? weights < other.weights : utf8 < other.utf8;
  }
};

std::vector<CollationKey> SortKeys(const std::vector<IdiomRow> &rows) {
  std::vector<CollationKey> keys;
  keys.reserve(rows.size());
  for (const IdiomRow &row : rows) {
    QByteArray utf8 = row.idiom.toUtf8();
    keys.push_back({ZhOrderWeights(std::string_view(utf8.constData(), utf8.size())), std::move(utf8)});
  }
  return keys;
}

void SortByCollation(std::vector<IdiomRow> &rows) {
  const std::vector<CollationKey> keys = SortKeys(rows);
  std::vector<size_t> order(rows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
  std::vector<IdiomRow> sorted;
  sorted.reserve(rows.size());
  for (const size_t i : order) sorted.push_back(std::move(rows[i]));
  rows = std::move(sorted);
}

void Bind(sqlite3_stmt *statement, int index, const std::optional<QString> &value) {
  if (!value) {
    sqlite3_bind_null(statement, index);
    return;
  }
  const QByteArray utf8 = value->toUtf8();
  sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

std::optional<QString> NonEmpty(const QString &text) {
  return text.isEmpty() ? std::nullopt : std::optional<QString>(text);
}

// Why a file could not be written, in words.
QString WriteFailure(const QString &path, int code, const char *step = nullptr) {
  const QString at = step ? QStringLiteral(" at its step \"%1\"").arg(QLatin1String(step)) : QString();
  switch (code & 0xff) {
    case SQLITE_FULL: return QStringLiteral("%1 cannot be written: the disk is full").arg(path);
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return QStringLiteral("%1 cannot be written: its folder is missing or may not be written").arg(path);
    case SQLITE_IOERR: return QStringLiteral("%1 cannot be written: the disk reported an error%2").arg(path, at);
    default: return QStringLiteral("%1 cannot be written%3 (SQLite error %2)").arg(path).arg(code).arg(at);
  }
}

// The file being written, for the messages of a failed step.
thread_local QString writing;

// The step's name goes into the message: a failure says where the build stopped.
void Require(bool ok, const SqlConnection &db, const char *step) {
  if (!ok) throw SourceError(WriteFailure(writing, sqlite3_extended_errcode(db.handle()), step));
}

void Check(const BuildControl *control, size_t done, size_t total) {
  if (control != nullptr && total > 0) control->Step(static_cast<double>(done) / static_cast<double>(total));
}

// The sources as VelmoraInfo keeps them: a JSON list of objects.
QString SourcesJson(const std::vector<SourceFacts> &sources) {
  nlohmann::json list = nlohmann::json::array();
  for (const SourceFacts &source : sources)
    list.push_back({{"name", source.name.toStdString()},
                    {"version", source.version.toStdString()},
                    {"licence", source.licence.toStdString()}});
  return QString::fromStdString(list.dump());
}

}  // namespace

BuildControl BuildControl::Part(double from, double share) const {
  BuildControl part;
  part.cancelled = cancelled;
  if (progress) part.progress = [whole = progress, from, share](double done) { whole(from + done * share); };
  return part;
}

void BuildControl::Step(double done) const {
  if (cancelled && cancelled()) throw BuildCancelled();
  if (progress) progress(done);
}

QString EditionDescription(Edition edition, const std::vector<SourceFacts> &sources) {
  QStringList names;
  for (const SourceFacts &source : sources) names << source.name;
  return (edition == Edition::Gb ? QStringLiteral("GB (simplified)") : QStringLiteral("BIG5 (traditional)")) +
         QStringLiteral(" from ") + names.join(QStringLiteral(" + "));
}

std::vector<IdiomRow> BuildRows(const std::vector<SourceEntry> &entries, Edition edition, const BuildControl *control) {
  std::vector<IdiomRow> rows;
  std::vector<std::optional<QString>> english;  // each row's English definitions, as the sources give them
  QHash<QString, size_t> rowByIdiom;
  size_t done = 0;
  for (const SourceEntry &entry : entries) {
    if (++done % 512 == 0) Check(control, done, 2 * entries.size());
    const QString idiom = edition == Edition::Gb || entry.traditional.isEmpty() ? entry.simplified : entry.traditional;
    if (idiom.trimmed().isEmpty()) continue;
    auto found = rowByIdiom.find(idiom);
    if (found == rowByIdiom.end()) {
      found = rowByIdiom.insert(idiom, rows.size());
      rows.push_back(IdiomRow{});
      rows.back().idiom = idiom;
      english.emplace_back();
    }
    IdiomRow &row = rows[*found];
    // One reading written two ways is one reading.
    row.spell = NonEmpty(JoinReadings(row.spell.value_or(QString()), entry.spell));
    AddDistinct(row.note, entry.note, QStringLiteral("; "));
    AddDistinct(row.source, entry.source, QStringLiteral("\n"));
    AddDistinct(row.example, entry.example, QStringLiteral("\n"));
    AddDistinct(english[*found], entry.english, QStringLiteral("; "));
    if (entry.frequency) row.frequency = std::max(row.frequency.value_or(0), *entry.frequency);
    if (row.otherReading.isEmpty()) row.otherReading = entry.otherReading;
    for (auto [from, into] : {std::pair{&entry.synonyms, &row.synonyms}, std::pair{&entry.antonyms, &row.antonyms}})
      for (const QString &other : *from) {
        if (other != idiom && !into->contains(other)) *into << other;
      }
  }
  // Compared again once the entries are merged: another entry's reading
  // (难兄难弟 nán and nàn) is one of the idiom's own.
  for (IdiomRow &row : rows)
    if (!row.otherReading.isEmpty() && AmongOwnReadings(row.idiom, row.spell.value_or(QString()), row.otherReading))
      row.otherReading.clear();
  Check(control, 1, 2);
  // A learner reads both: the Chinese explanation, then the English on a
  // line of its own.
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!english[i]) continue;
    const QString definitions = CleanCedictDefinitions(*english[i], edition == Edition::Big5, rows[i].idiom);
    // A dictionary read back already holds the definitions it is given again.
    if (definitions.isEmpty() || (rows[i].note && rows[i].note->contains(definitions))) continue;
    rows[i].note = rows[i].note ? *rows[i].note + QLatin1Char('\n') + definitions : definitions;
  }
  Check(control, 3, 5);
  for (IdiomRow &row : rows) {
    const QString firstReading = FirstReading(row.spell.value_or(QString()));
    row.firstA = FilingLetter(firstReading);
    row.initial = SyllableInitials(firstReading);
  }
  Check(control, 4, 5);
  SortByCollation(rows);
  for (size_t i = 0; i < rows.size(); ++i) rows[i].code = static_cast<long long>(i) + 1;
  return rows;
}

namespace {

// A prepared statement, finalised however its function is left: a
// statement left open would keep its connection (and the file) open.
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement Prepare(const SqlConnection &db, const char *sql) {
  sqlite3_stmt *statement = nullptr;
  const int rc = sqlite3_prepare_v2(db.handle(), sql, -1, &statement, nullptr);
  Statement prepared(statement, &sqlite3_finalize);
  Require(rc == SQLITE_OK, db, sql);
  return prepared;
}

// Runs a bound statement and makes it ready for the next values.
void Run(const SqlConnection &db, const Statement &statement) {
  const int rc = sqlite3_step(statement.get());
  sqlite3_reset(statement.get());
  Require(rc == SQLITE_DONE, db, "step");
}

void InsertSearchData(const SqlConnection &db, const Statement &insert, const QString &name, const QByteArray &data) {
  const QByteArray utf8 = name.toUtf8();
  sqlite3_bind_text(insert.get(), 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  sqlite3_bind_blob(insert.get(), 2, data.constData(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
  Run(db, insert);
}

Statement PrepareSearchData(const SqlConnection &db) {
  return Prepare(db, "INSERT INTO VelmoraSearch (Name, Data) VALUES (?1, ?2)");
}

// The rows as kSearchRows holds them. A spelling that spans lines (no source
// gives one) would end its row: it is kept on one.
QByteArray StoredRows(const std::vector<IdiomRow> &rows) {
  QByteArray stored;
  for (const IdiomRow &row : rows) {
    if (!stored.isEmpty()) stored += '\n';
    stored += row.idiom.toUtf8();
    stored += kRowFieldSeparator;
    stored += row.spell.value_or(QString()).toUtf8().replace('\n', ' ');
  }
  return stored;
}

void WriteSearchIndexes(const SqlConnection &db, const std::vector<IdiomRow> &rows, const BuildControl *control) {
  QStringList idioms, spells;
  for (const IdiomRow &row : rows) {
    idioms << row.idiom;
    // Found by either reading.
    const QString spell = row.spell.value_or(QString());
    spells << (row.otherReading.isEmpty() ? spell : spell + QStringLiteral("; ") + row.otherReading);
  }
  Check(control, 0, 4);
  IdiomFinder finder;
  finder.Build(idioms, spells);
  const IdiomFinder::Bytes bytes = finder.Serialize();
  Check(control, 1, 4);
  // Each idiom in the other script, so that the program finds it from a key
  // in either script without OpenCC's dictionaries in memory.
  const ScriptConverter toTraditional("s2t.json"), toSimplified("t2s.json");
  QStringList otherScript = toTraditional.ConvertAll(idioms);
  Check(control, 2, 4);
  // Those that have no other traditional form: their simplified one.
  QStringList unchanged;
  for (qsizetype i = 0; i < idioms.size(); ++i)
    if (otherScript[i] == idioms[i]) unchanged << idioms[i];
  const QStringList simplified = toSimplified.ConvertAll(unchanged);
  for (qsizetype i = 0, next = 0; i < idioms.size(); ++i)
    if (otherScript[i] == idioms[i]) otherScript[i] = simplified[next++];
  Check(control, 3, 4);
  const QByteArray scriptBytes = otherScript.join(QLatin1Char('\n')).toUtf8();
  const QByteArray storedRows = StoredRows(rows);
  const uLong rowsCheck = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(storedRows.constData()),
                                static_cast<uInt>(storedRows.size()));
  const Statement insert = PrepareSearchData(db);
  for (const auto &[name, data] :
       {std::pair{kSearchTextIndex, bytes.text}, std::pair{kSearchPinyinIndex, bytes.pinyin},
        std::pair{kSearchInitialsIndex, bytes.initials}, std::pair{kSearchOtherScript, scriptBytes},
        std::pair{kSearchRows, storedRows}, std::pair{kSearchRowsCheck, QByteArray::number(qulonglong{rowsCheck})}})
    InsertSearchData(db, insert, name, data);
}

// The sources' 近义词 and 反义词, and the index of related idioms
// (RelatedIndex.h) that the program would otherwise build at every start.
void WriteRelated(const SqlConnection &db, const std::vector<IdiomRow> &rows, const BuildControl *control) {
  const Statement insert = Prepare(db, "INSERT INTO VelmoraRelated (Code, Kind, Other) VALUES (?1, ?2, ?3)");
  RelatedIndex related;
  for (const IdiomRow &row : rows) {
    if (row.code % 512 == 0) Check(control, static_cast<size_t>(row.code), 2 * rows.size());
    related.Add(row.idiom, row.spell.value_or(QString()), row.note.value_or(QString()));
    for (const auto &[kind, others] : {std::pair{1, &row.synonyms}, std::pair{2, &row.antonyms}})
      for (const QString &other : *others) {
        sqlite3_bind_int64(insert.get(), 1, row.code);
        sqlite3_bind_int(insert.get(), 2, kind);
        Bind(insert.get(), 3, other);
        Run(db, insert);
      }
  }
  Check(control, 1, 2);
  related.Finish();
  InsertSearchData(db, PrepareSearchData(db), kSearchRelatedIndex, related.Serialize());
}

// The words of each idiom's meaning for search by meaning (MeaningSearch.h).
void WriteMeaningIndex(const SqlConnection &db, const std::vector<IdiomRow> &rows, const BuildControl *control) {
  const auto tokenizer = WordTokenizer::On(db);
  Require(tokenizer != nullptr, db, "word tokenizer");
  MeaningIndexBuilder index;
  for (const IdiomRow &row : rows) {
    if (row.code % 512 == 0) Check(control, static_cast<size_t>(row.code), rows.size());
    const QString body = MeaningText(row.note, row.source, row.example);
    tokenizer->ForEachToken(body, [&](std::string_view word, int place) { index.Add(row.code, word, place); });
  }
  InsertSearchData(db, PrepareSearchData(db), kSearchMeaningIndex, index.Serialize());
}

// The other readings (kSearchOtherReading), when any idiom has one.
void WriteOtherReadings(const SqlConnection &db, const std::vector<IdiomRow> &rows) {
  if (std::all_of(rows.begin(), rows.end(), [](const IdiomRow &row) { return row.otherReading.isEmpty(); })) return;
  QStringList lines;
  for (const IdiomRow &row : rows) lines << QString(row.otherReading).remove(QLatin1Char('\n'));
  InsertSearchData(db, PrepareSearchData(db), kSearchOtherReading, lines.join(QLatin1Char('\n')).toUtf8());
}

// How common each idiom is (kSearchFrequency), when any source said.
void WriteFrequencies(const SqlConnection &db, const std::vector<IdiomRow> &rows) {
  if (std::none_of(rows.begin(), rows.end(), [](const IdiomRow &row) { return row.frequency.has_value(); })) return;
  QByteArray counts(static_cast<qsizetype>(rows.size() * 4), '\0');
  for (size_t i = 0; i < rows.size(); ++i) {
    // A known count is at least 1, so that it stands apart from "unknown".
    const auto count = static_cast<uint32_t>(
        std::clamp<long long>(rows[i].frequency.value_or(0), rows[i].frequency ? 1 : 0, UINT32_MAX));
    qToLittleEndian(count, counts.data() + i * 4);
  }
  InsertSearchData(db, PrepareSearchData(db), kSearchFrequency, counts);
}

// The idioms themselves, in code order.
void WriteIdioms(const SqlConnection &db, const std::vector<IdiomRow> &rows, const BuildControl *control) {
  const Statement insert = Prepare(db,
                                   "INSERT INTO VELM (Code, Idiom, FirstA, Initial, Spell, Note, Source, Example) "
                                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  for (const IdiomRow &row : rows) {
    if (row.code % 512 == 0) Check(control, static_cast<size_t>(row.code), rows.size());
    sqlite3_bind_int64(insert.get(), 1, row.code);
    Bind(insert.get(), 2, row.idiom);
    Bind(insert.get(), 3, NonEmpty(row.firstA));
    Bind(insert.get(), 4, NonEmpty(row.initial));
    Bind(insert.get(), 5, row.spell);
    Bind(insert.get(), 6, row.note);
    Bind(insert.get(), 7, row.source);
    Bind(insert.get(), 8, row.example);
    Run(db, insert);
  }
}

}  // namespace

namespace {

// The part file and the engine's files beside it: a rollback journal left
// beside a name used again would be played into the next build's file.
void RemovePart(const QString &temporary) {
  for (const char *suffix : {"", "-journal", "-wal", "-shm"}) QFile::remove(temporary + QLatin1String(suffix));
}

}  // namespace

void WriteEdition(const std::vector<IdiomRow> &rows, const QString &path, const QString &password,
                  const QString &description, const std::vector<SourceFacts> &sources, const BuildControl *control) {
  const QString temporary = path + QStringLiteral(".part");
  RemovePart(temporary);
  writing = path;
  try {
    QString error;
    int code = 0;
    auto db = SqlConnection::Open(temporary, password, SqlConnection::Mode::Create, &error);
    if (!db) {
      code = error.mid(1, error.indexOf(QLatin1Char(']')) - 1).toInt();
      throw SourceError(WriteFailure(path, code == 0 ? SQLITE_CANTOPEN : code));
    }
    const QString schema =
        QStringLiteral(
            "CREATE TABLE VELM (Code INTEGER PRIMARY KEY, Idiom TEXT NOT NULL COLLATE %1, "
            "FirstA TEXT COLLATE NOCASE, Initial TEXT, Spell TEXT, Note TEXT, Source TEXT, Example TEXT);"
            "CREATE TABLE VelmoraInfo (Name TEXT PRIMARY KEY, Value TEXT);"
            "CREATE TABLE VelmoraSearch (Name TEXT PRIMARY KEY, Data BLOB);"
            // 近义词 (Kind 1) and 反义词 (Kind 2) as the sources name them.
            "CREATE TABLE VelmoraRelated (Code INTEGER NOT NULL, Kind INTEGER NOT NULL, Other TEXT NOT NULL);"
            "CREATE INDEX VelmoraRelated_Code ON VelmoraRelated(Code);")
            .arg(QString::fromLatin1(kZhCollationName));
    Require(db->Execute(schema, &error), *db, "schema");
    Require(db->Execute(QStringLiteral("BEGIN")), *db, "begin");
    const BuildControl meaning = control ? control->Part(0, 0.3) : BuildControl{};
    const BuildControl idioms = control ? control->Part(0.3, 0.3) : BuildControl{};
    const BuildControl indexes = control ? control->Part(0.6, 0.2) : BuildControl{};
    const BuildControl relatedPart = control ? control->Part(0.8, 0.2) : BuildControl{};
    WriteMeaningIndex(*db, rows, &meaning);
    WriteIdioms(*db, rows, &idioms);
    // The indexes over rows already in place: made by one sort each, which
    // finds sorted rows in few comparisons, not by a search at every row.
    Require(db->Execute(QStringLiteral("CREATE UNIQUE INDEX VELM_Idiom ON VELM(Idiom);"
                                       "CREATE INDEX VELM_FirstA ON VELM(FirstA, Idiom);")),
            *db, "indexes");
    const QString info =
        QStringLiteral("INSERT INTO VelmoraInfo VALUES ('collation', %1), ('edition', %2), ('idioms', '%3')")
            .arg(SqlQuoted(QString::fromLatin1(kZhCollationDescription)), SqlQuoted(description))
            .arg(rows.size());
    Require(db->Execute(info), *db, "info");
    // The codes run 1..N in idiom order, so the program may read its list a
    // page at a time; and the search indexes, so that it need not build them.
    Require(db->Execute(QStringLiteral("INSERT INTO VelmoraInfo VALUES (%1, %2)")
                            .arg(SqlQuoted(kInfoListOrder), SqlQuoted(kListInCodeOrder))),
            *db, "list order");
    if (!sources.empty())
      Require(db->Execute(QStringLiteral("INSERT INTO VelmoraInfo VALUES (%1, %2)")
                              .arg(SqlQuoted(kInfoSources), SqlQuoted(SourcesJson(sources)))),
              *db, "sources");
    WriteSearchIndexes(*db, rows, &indexes);
    WriteRelated(*db, rows, &relatedPart);
    WriteFrequencies(*db, rows);
    WriteOtherReadings(*db, rows);
    Check(control, 1, 1);
    Require(db->Execute(QStringLiteral("COMMIT")), *db, "commit");
  } catch (...) {
    RemovePart(temporary);
    throw;
  }
  // Renamed over the old file: its name never stands empty.
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    RemovePart(temporary);
    throw SourceError(QStringLiteral("%1 cannot be replaced: its folder may not be written").arg(path));
  }
}

}  // namespace velmora::editions
