#include "SqlConnection.h"

#include <sqlite3.h>

#include "LibraryPages.h"
#include "ZhCollation.h"

namespace velmora {

namespace {

// Jet's First(): the value of the group's first row.
void FirstStep(sqlite3_context *context, int, sqlite3_value **values) {
  auto **first = static_cast<sqlite3_value **>(sqlite3_aggregate_context(context, sizeof(sqlite3_value *)));
  if (first != nullptr && *first == nullptr) *first = sqlite3_value_dup(values[0]);
}

void FirstFinal(sqlite3_context *context) {
  auto **first = static_cast<sqlite3_value **>(sqlite3_aggregate_context(context, 0));
  if (first == nullptr || *first == nullptr) {
    sqlite3_result_null(context);
    return;
  }
  sqlite3_result_value(context, *first);
  sqlite3_value_free(*first);
}

// Set before the engine starts; later they cannot be changed and the calls
// fail harmlessly.
// - The engine's memory statistics, which nothing here reads, take a lock
//   shared by every connection on each allocation and free: two threads
//   writing the two editions at once waited on it.
// - Each connection's page cache would start with a block for a hundred
//   pages (440 KB) that a connection reading a few pages never fills: pages
//   are taken one at a time instead.
void ConfigureEngineOnce() {
  static const bool configured = [] {
    const bool statistics = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;
    const bool pages = sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0) == SQLITE_OK;
    return statistics && pages;
  }();
  (void)configured;
}

// The first key makes OpenSSL 3 build every cipher and digest its provider
// offers, which runs a little code on page after page of libcrypto: 3.5 MB
// kept mapped for work done once. After it the pages are let go; those that
// each page's deciphering runs (about half) come back on their own.
void ReleaseCipherSetUpOnce() {
  static const bool released = ReleaseLibraryPages("libcrypto.so") > 0;
  (void)released;
}

QString Message(sqlite3 *db, int rc) {
  return QStringLiteral("[%1]--%2")
      .arg(rc)
      .arg(QString::fromUtf8(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

bool Bind(sqlite3_stmt *statement, const std::vector<SqlValue> &values) {
  for (size_t i = 0; i < values.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    int rc;
    if (const auto *number = std::get_if<long long>(&values[i])) {
      rc = sqlite3_bind_int64(statement, index, *number);
    } else {
      const QByteArray utf8 = std::get<QString>(values[i]).toUtf8();
      rc = sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) return false;
  }
  return true;
}

// The field name of a result column. A column read through a view comes back
// as "VELM.Code" where the table gives "Code"; the field is "Code" either way.
QString ColumnName(sqlite3_stmt *statement, int column) {
  const QString name = QString::fromUtf8(sqlite3_column_name(statement, column));
  const char *origin = sqlite3_column_origin_name(statement, column);
  if (origin == nullptr) return name;
  const QString field = QString::fromUtf8(origin);
  return name.endsWith(QLatin1Char('.') + field, Qt::CaseInsensitive) ? field : name;
}

int FetchRows(sqlite3 *db, const QString &query, const std::vector<SqlValue> &values, RecordSet *set) {
  sqlite3_stmt *statement = nullptr;
  int rc = sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr);
  if (rc == SQLITE_OK && !Bind(statement, values)) rc = SQLITE_RANGE;
  if (rc == SQLITE_OK) {
    QStringList names;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) names << ColumnName(statement, c);
    RecordSet rows;
    rows.Begin(names);
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      for (int c = 0; c < columns; ++c) {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
        rows.AppendCell(text, sqlite3_column_bytes(statement, c));
      }
      rows.EndRow();
    }
    if (rc == SQLITE_DONE) {
      rc = SQLITE_OK;
      *set = std::move(rows);
    }
  }
  sqlite3_finalize(statement);
  return rc;
}

}  // namespace

int SqlConnection::Run(const QString &statement, const std::vector<SqlValue> &values) const {
  sqlite3_stmt *prepared = nullptr;
  int rc = sqlite3_prepare_v2(db_, statement.toUtf8().constData(), -1, &prepared, nullptr);
  if (rc == SQLITE_OK && !Bind(prepared, values)) rc = SQLITE_RANGE;
  while (rc == SQLITE_OK && (rc = sqlite3_step(prepared)) == SQLITE_ROW) rc = SQLITE_OK;
  if (rc == SQLITE_DONE) rc = SQLITE_OK;
  sqlite3_finalize(prepared);
  return rc;
}

bool SqlConnection::IsReadOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

int SqlConnection::Fetch(const QString &query, const std::vector<SqlValue> &values, RecordSet *rows) const {
  return FetchRows(db_, query, values, rows);
}

QString SqlQuoted(const QString &text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

std::unique_ptr<SqlConnection> SqlConnection::OpenWith(const QString &path, const QString &password, Mode mode,
                                                       const CipherSettings &cipher, QString *error) {
  ConfigureEngineOnce();
  sqlite3 *db = nullptr;
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
  std::unique_ptr<SqlConnection> connection(new SqlConnection(db));
  if (rc != SQLITE_OK) {
    if (error) *error = Message(db, rc);
    return nullptr;
  }
  QString failure;
  const bool ready =
      connection->Execute(QStringLiteral("PRAGMA key = %1").arg(SqlQuoted(password)), &failure) &&
      connection->Execute(QStringLiteral("PRAGMA cipher_page_size = %1").arg(cipher.pageSize), &failure) &&
      connection->Execute(QStringLiteral("PRAGMA kdf_iter = %1").arg(cipher.kdfIterations), &failure) &&
      connection->Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"), &failure) && RegisterZhCollation(db) &&
      sqlite3_create_function(db, "First", 1, SQLITE_UTF8, nullptr, nullptr, FirstStep, FirstFinal) == SQLITE_OK;
  if (!ready) {
    if (error) *error = failure.isEmpty() ? QStringLiteral("cannot register functions") : failure;
    return nullptr;
  }
  ReleaseCipherSetUpOnce();
  return connection;
}

std::unique_ptr<SqlConnection> SqlConnection::Open(const QString &path, const QString &password, Mode mode,
                                                   QString *error) {
  auto connection = OpenWith(path, password, mode, kCipherSettings, error);
  // An edition of an earlier builder is keyed with SQLCipher's defaults.
  if (!connection && mode == Mode::ReadOnly) connection = OpenWith(path, password, mode, kLegacyCipherSettings, error);
  return connection;
}

std::unique_ptr<SqlConnection> SqlConnection::OpenPlain(const QString &path, int busyMilliseconds, QString *error,
                                                        int *code) {
  ConfigureEngineOnce();
  sqlite3 *db = nullptr;
  int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<SqlConnection> connection(new SqlConnection(db));
  // Opening is lazy: reading the schema is what finds a file that is no
  // database at all.
  if (rc == SQLITE_OK) rc = sqlite3_busy_timeout(db, busyMilliseconds);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) return connection;
  if (error) *error = Message(db, rc);
  if (code) *code = rc;
  return nullptr;
}

SqlConnection::~SqlConnection() { sqlite3_close_v2(db_); }

bool SqlConnection::Execute(const QString &sql, QString *error) const {
  char *message = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK && error)
    *error = QStringLiteral("[%1]--%2").arg(rc).arg(QString::fromUtf8(message ? message : ""));
  sqlite3_free(message);
  return rc == SQLITE_OK;
}

bool SqlConnection::RunInTransaction(const Steps &steps) const {
  if (!Execute(QStringLiteral("BEGIN IMMEDIATE"))) return false;
  for (const auto &[statement, values] : steps) {
    if (Run(statement, values) != SQLITE_OK) {
      qWarning("velmora: change not kept: %s", sqlite3_errmsg(db_));
      Execute(QStringLiteral("ROLLBACK"));
      return false;
    }
  }
  return Execute(QStringLiteral("COMMIT")) || (Execute(QStringLiteral("ROLLBACK")), false);
}

bool SqlConnection::HasTable(const QString &name) const {
  sqlite3_stmt *statement = nullptr;
  bool found = false;
  if (sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE", -1,
                         &statement, nullptr) == SQLITE_OK) {
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    found = sqlite3_step(statement) == SQLITE_ROW;
  }
  sqlite3_finalize(statement);
  return found;
}

}  // namespace velmora
