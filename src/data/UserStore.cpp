#include "UserStore.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>

#include "SqlConnection.h"
#include "lang/Captions.h"

namespace velmora {

namespace {

Q_LOGGING_CATEGORY(lcUserStore, "velmora.userstore")

// Long enough for another copy's single-row change to finish.
constexpr int kBusyMilliseconds = 5000;

const QString kSchema = QStringLiteral(
    "CREATE TABLE IF NOT EXISTS Favourites (Edition TEXT NOT NULL, Idiom TEXT NOT NULL, "
    "Added INTEGER NOT NULL, PRIMARY KEY (Edition, Idiom));"
    "CREATE TABLE IF NOT EXISTS History (Id INTEGER PRIMARY KEY AUTOINCREMENT, Edition TEXT NOT NULL, "
    "Idiom TEXT NOT NULL, Shown INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS HistoryOfEdition ON History (Edition, Idiom);"
    // Version 2: the review schedule. A card is an idiom in either script,
    // keyed by its simplified form; a suspended card keeps its history.
    "CREATE TABLE IF NOT EXISTS Cards (Card TEXT PRIMARY KEY, Simplified TEXT NOT NULL, "
    "Traditional TEXT NOT NULL, Origin TEXT NOT NULL, Added INTEGER NOT NULL, State INTEGER NOT NULL, "
    "Step INTEGER NOT NULL, Stability REAL NOT NULL, Difficulty REAL NOT NULL, Due INTEGER NOT NULL, "
    "LastReview INTEGER NOT NULL, Lapses INTEGER NOT NULL, Reps INTEGER NOT NULL, Suspended INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS CardsDue ON Cards (Suspended, Due);"
    "CREATE TABLE IF NOT EXISTS ReviewLog (Id INTEGER PRIMARY KEY AUTOINCREMENT, Card TEXT NOT NULL, "
    "Time INTEGER NOT NULL, Grade INTEGER NOT NULL, Kind TEXT NOT NULL, ElapsedDays REAL NOT NULL, "
    "ScheduledDays REAL NOT NULL, StateBefore INTEGER NOT NULL, StepBefore INTEGER NOT NULL, "
    "StabilityBefore REAL NOT NULL, DifficultyBefore REAL NOT NULL, DueBefore INTEGER NOT NULL, "
    "LastReviewBefore INTEGER NOT NULL, LapsesBefore INTEGER NOT NULL, RepsBefore INTEGER NOT NULL, "
    "StateAfter INTEGER NOT NULL, StabilityAfter REAL NOT NULL, DifficultyAfter REAL NOT NULL, "
    "DueAfter INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS ReviewLogTime ON ReviewLog (Time);"
    // Each card's first review, for the retention of cards studied a week.
    "CREATE INDEX IF NOT EXISTS ReviewLogCard ON ReviewLog (Card, Time);"
    "CREATE TABLE IF NOT EXISTS StudySettings (Name TEXT PRIMARY KEY, Value TEXT NOT NULL);");
// Reads every column the store relies on: a file with tables of the same
// names but another shape fails here rather than at the first change.
const QString kShapeProbe = QStringLiteral(
    "SELECT Edition, Idiom, Added FROM Favourites LIMIT 0; SELECT Id, Edition, Idiom, Shown FROM History LIMIT 0;"
    "SELECT Card, Simplified, Traditional, Origin, Added, State, Step, Stability, Difficulty, Due, LastReview, "
    "Lapses, Reps, Suspended FROM Cards LIMIT 0;"
    "SELECT Id, Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, StepBefore, StabilityBefore, "
    "DifficultyBefore, DueBefore, LastReviewBefore, LapsesBefore, RepsBefore, StateAfter, StabilityAfter, "
    "DifficultyAfter, DueAfter FROM ReviewLog LIMIT 0; SELECT Name, Value FROM StudySettings LIMIT 0");

// The schema this program writes, kept in the file's user_version; a store
// of a later version belongs to a newer Velmora and is never changed here.
// Version 1 kept favourites and history; 2 adds the review schedule (its
// tables are created in a store of version 1 as it opens).
constexpr int kSchemaVersion = 2;

int SchemaVersion(const SqlConnection &db) {
  RecordSet version;
  if (db.Fetch(QStringLiteral("PRAGMA user_version"), {}, &version) != SQLITE_OK) return -1;
  return version.Text(QStringLiteral("user_version")).toInt();
}

// Reads what rows it can from a damaged store: each until the first one
// that fails.
template <class Row>
void ReadWhatCan(sqlite3 *db, const char *query, Row row) {
  sqlite3_stmt *statement = nullptr;
  if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) == SQLITE_OK) {
    while (sqlite3_step(statement) == SQLITE_ROW) {
      const auto text = [statement](int column) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                                 sqlite3_column_bytes(statement, column));
      };
      row(text(0), text(1), sqlite3_column_int64(statement, 2));
    }
  }
  sqlite3_finalize(statement);
}

// Copies what rows it can of a table of the study into the new store, each
// with the values it holds (of the columns the new store has): the cards
// and their log carry a learner's whole schedule. The rows copied.
int CopyWhatCan(sqlite3 *from, const SqlConnection &to, const QString &table, const QString &columns) {
  const int count = static_cast<int>(columns.count(QLatin1Char(',')) + 1);
  QStringList places;
  for (int i = 1; i <= count; ++i) places << QStringLiteral("?%1").arg(i);
  const QByteArray query = QStringLiteral("SELECT %1 FROM %2").arg(columns, table).toUtf8();
  sqlite3_stmt *reading = nullptr, *writing = nullptr;
  int copied = 0;
  if (sqlite3_prepare_v2(from, query.constData(), -1, &reading, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(to.handle(),
                         QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (%3)")
                             .arg(table, columns, places.join(QLatin1Char(',')))
                             .toUtf8()
                             .constData(),
                         -1, &writing, nullptr) == SQLITE_OK) {
    while (sqlite3_step(reading) == SQLITE_ROW) {
      for (int column = 0; column < count; ++column)
        sqlite3_bind_value(writing, column + 1, sqlite3_column_value(reading, column));
      copied += sqlite3_step(writing) == SQLITE_DONE && sqlite3_changes(to.handle()) > 0;
      sqlite3_reset(writing);
    }
  }
  sqlite3_finalize(reading);
  sqlite3_finalize(writing);
  return copied;
}

bool IsDamage(int code) { return code == SQLITE_NOTADB || code == SQLITE_CORRUPT; }

bool IsSound(const SqlConnection &db) {
  RecordSet check;
  // The result column is named after the check in some releases of the
  // engine and "integrity_check" in others.
  return db.Fetch(QStringLiteral("PRAGMA quick_check"), {}, &check) == SQLITE_OK &&
         (check.Text(QStringLiteral("integrity_check")) == QLatin1String("ok") ||
          check.Text(QStringLiteral("quick_check")) == QLatin1String("ok"));
}

qint64 Now() { return QDateTime::currentSecsSinceEpoch(); }

// A new store's tables in one transaction: one journal and its syncs, not
// one for each statement (nine; a first start on a slow disk waited for all
// of them before the window showed). Immediate: a second copy starting at
// once waits for the first instead of meeting it half way. On failure *code
// is SQLite's own code, read before the rollback clears it.
bool CreateSchema(const SqlConnection &db, QString *error, int *code) {
  if (db.Execute(QStringLiteral("BEGIN IMMEDIATE"), error) && db.Execute(kSchema, error) &&
      db.Execute(QStringLiteral("COMMIT"), error))
    return true;
  *code = sqlite3_errcode(db.handle());
  db.Execute(QStringLiteral("ROLLBACK"));
  return false;
}

}  // namespace

UserStore::UserStore(const QString &path, QString edition) : edition_(std::move(edition)), path_(path) {
  if (path.isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
    qCWarning(lcUserStore) << "no folder for the user's store:" << path;
    return;
  }
  db_ = Open(path);
}

UserStore::~UserStore() = default;

std::unique_ptr<SqlConnection> UserStore::Open(const QString &path) {
  QString error;
  int code = SQLITE_OK;
  auto db = SqlConnection::OpenPlain(path, kBusyMilliseconds, &error, &code);
  const int version = db ? SchemaVersion(*db) : 0;
  if (db && version > kSchemaVersion) {
    // A newer Velmora's store: left as it is, favourites off.
    newer_ = true;
    qCWarning(lcUserStore) << "the user's store" << path << "is of a newer Velmora (schema" << version
                           << "); favourites and history are off";
    return nullptr;
  }
  if (db && db->IsReadOnly()) {
    error = QStringLiteral("the file is read-only");
    db.reset();
  } else if (db && !(IsSound(*db) && CreateSchema(*db, &error, &code) && db->Execute(kShapeProbe, &error))) {
    if (code == SQLITE_OK) code = sqlite3_errcode(db->handle());
    db.reset();
    // A store another copy holds too long, or a full disk, is not damage;
    // tables of another shape in a store of no later version are.
    if (code == SQLITE_OK || code == SQLITE_ERROR || IsDamage(code)) code = SQLITE_CORRUPT;
    if (error.isEmpty()) error = QStringLiteral("integrity check failed");
  }
  if (!db && IsDamage(code)) {
    MoveAside(path, error);
    db = SqlConnection::OpenPlain(path, kBusyMilliseconds, &error, &code);
    if (db && !CreateSchema(*db, &error, &code)) db.reset();
    if (db && !movedAside_.isEmpty()) Salvage(*db);
  }
  if (db && version < kSchemaVersion) db->Execute(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
  if (!db) qCWarning(lcUserStore) << "favourites and history are off:" << path << error;
  return db;
}

void UserStore::MoveAside(const QString &path, const QString &why) {
  const QString aside =
      path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
  // A journal left beside a damaged file belongs to it, not to the new one.
  QFile::rename(path + QStringLiteral("-journal"), aside + QStringLiteral("-journal"));
  if (QFile::rename(path, aside)) {
    movedAside_ = aside;
    qCWarning(lcUserStore) << "the user's store was damaged (" << why << "); moved to" << aside
                           << "and a new one started";
  } else {
    QFile::remove(path);
    qCWarning(lcUserStore) << "the user's store was damaged (" << why << ") and could not be moved; removed";
  }
}

void UserStore::Salvage(const SqlConnection &db) {
  QString error;
  const auto damaged = SqlConnection::OpenPlain(movedAside_, 0, &error);
  if (!damaged) return;
  db.Execute(QStringLiteral("BEGIN"));
  ReadWhatCan(damaged->handle(), "SELECT Edition, Idiom, Added FROM Favourites",
              [&](const QString &edition, const QString &idiom, long long added) {
                salvaged_ += db.Run(QStringLiteral("INSERT OR IGNORE INTO Favourites (Edition, Idiom, Added) "
                                                   "VALUES (?1, ?2, ?3)"),
                                    {edition, idiom, added}) == SQLITE_OK;
              });
  ReadWhatCan(damaged->handle(), "SELECT Edition, Idiom, Shown FROM History ORDER BY Id",
              [&](const QString &edition, const QString &idiom, long long shown) {
                db.Run(QStringLiteral("DELETE FROM History WHERE Edition = ?1 AND Idiom = ?2"), {edition, idiom});
                salvaged_ += db.Run(QStringLiteral("INSERT INTO History (Edition, Idiom, Shown) VALUES (?1, ?2, ?3)"),
                                    {edition, idiom, shown}) == SQLITE_OK;
              });
  salvagedCards_ = CopyWhatCan(damaged->handle(), db, QStringLiteral("Cards"),
                               QStringLiteral("Card, Simplified, Traditional, Origin, Added, State, Step, Stability, "
                                              "Difficulty, Due, LastReview, Lapses, Reps, Suspended"));
  salvagedReviews_ = CopyWhatCan(damaged->handle(), db, QStringLiteral("ReviewLog"),
                                 QStringLiteral("Id, Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, "
                                                "StepBefore, StabilityBefore, DifficultyBefore, DueBefore, "
                                                "LastReviewBefore, LapsesBefore, RepsBefore, StateAfter, "
                                                "StabilityAfter, DifficultyAfter, DueAfter"));
  CopyWhatCan(damaged->handle(), db, QStringLiteral("StudySettings"), QStringLiteral("Name, Value"));
  db.Execute(QStringLiteral("COMMIT"));
  qCWarning(lcUserStore) << salvaged_ << "favourites and history entries," << salvagedCards_ << "review cards and"
                         << salvagedReviews_ << "review log rows read back from" << movedAside_;
}

QString UserStore::Notice(const QString &path) const {
  if (newer_)
    return CaptionOr("STORENEWER",
                     "Your favourites and history (%1) were saved by a newer version of Velmora. This version "
                     "leaves them as they are: favourites and history are off until you use the newer version again.")
        .arg(path);
  if (!movedAside_.isEmpty())
    return CaptionOr("STOREDAMAGED",
                     "Your favourites, history and study file was damaged. It was kept as %1, and %2 favourites and "
                     "history entries, %3 study cards and %4 reviews were read back from it into a new file.")
        .arg(movedAside_)
        .arg(salvaged_)
        .arg(salvagedCards_)
        .arg(salvagedReviews_);
  return {};
}

long long UserStore::OutsideChanges() const {
  RecordSet version;
  if (!db_ || db_->Fetch(QStringLiteral("PRAGMA data_version"), {}, &version) != SQLITE_OK) return -1;
  return version.Text(QStringLiteral("data_version")).toLongLong();
}

bool UserStore::IsFavourite(const QString &idiom) const {
  RecordSet rows;
  return db_ &&
         db_->Fetch(QStringLiteral("SELECT 1 AS Found FROM Favourites WHERE Edition = ?1 AND Idiom = ?2"),
                    {edition_, idiom}, &rows) == SQLITE_OK &&
         rows.RowCount() > 0;
}

void UserStore::SetOtherEdition(QString edition, std::function<QString(const QString &)> otherForm) {
  otherEdition_ = std::move(edition);
  otherForm_ = std::move(otherForm);
}

QString UserStore::OtherForm(const QString &idiom) const {
  return otherForm_ && !otherEdition_.isEmpty() && otherEdition_ != edition_ ? otherForm_(idiom) : QString();
}

std::vector<std::pair<QString, QString>> UserStore::BothForms(const QString &idiom) const {
  std::vector<std::pair<QString, QString>> forms = {{edition_, idiom}};
  const QString other = OtherForm(idiom);
  if (!other.isEmpty()) forms.emplace_back(otherEdition_, other);
  return forms;
}

bool UserStore::SetFavourite(const QString &idiom, bool favourite) {
  if (!db_ || idiom.isEmpty()) return false;
  SqlConnection::Steps steps;
  const qint64 now = Now();
  for (const auto &[edition, form] : BothForms(idiom)) {
    if (favourite)
      steps.push_back({QStringLiteral("INSERT OR IGNORE INTO Favourites (Edition, Idiom, Added) VALUES (?1, ?2, ?3)"),
                       {edition, form, now}});
    else
      steps.push_back({QStringLiteral("DELETE FROM Favourites WHERE Edition = ?1 AND Idiom = ?2"), {edition, form}});
  }
  return db_->RunInTransaction(steps);
}

bool UserStore::RecordShown(const QString &idiom) {
  if (!db_ || idiom.isEmpty()) return false;
  SqlConnection::Steps steps;
  const qint64 now = Now();
  for (const auto &[edition, form] : BothForms(idiom)) {
    steps.push_back({QStringLiteral("DELETE FROM History WHERE Edition = ?1 AND Idiom = ?2"), {edition, form}});
    steps.push_back(
        {QStringLiteral("INSERT INTO History (Edition, Idiom, Shown) VALUES (?1, ?2, ?3)"), {edition, form, now}});
    steps.push_back({QStringLiteral("DELETE FROM History WHERE Edition = ?1 AND Id NOT IN "
                                    "(SELECT Id FROM History WHERE Edition = ?1 ORDER BY Id DESC LIMIT ?2)"),
                     {edition, static_cast<long long>(kHistoryLength)}});
  }
  return db_->RunInTransaction(steps);
}

std::vector<UserStore::Entry> UserStore::Entries(const QString &query) const {
  std::vector<Entry> entries;
  RecordSet rows;
  if (!db_ || db_->Fetch(query, {edition_}, &rows) != SQLITE_OK) return entries;
  for (; !rows.EOF_(); rows.MoveNext())
    entries.push_back({rows.Text(QStringLiteral("Idiom")),
                       QDateTime::fromSecsSinceEpoch(rows.Text(QStringLiteral("At")).toLongLong())});
  return entries;
}

std::vector<UserStore::Entry> UserStore::Favourites() const {
  return Entries(
      QStringLiteral("SELECT Idiom, Added AS At FROM Favourites WHERE Edition = ?1 "
                     "ORDER BY Added DESC, rowid DESC"));
}

std::vector<UserStore::Entry> UserStore::History() const {
  return Entries(QStringLiteral("SELECT Idiom, Shown AS At FROM History WHERE Edition = ?1 ORDER BY Id DESC"));
}

}  // namespace velmora
