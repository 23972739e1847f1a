#include "SqlConnection.h"

#include <sqlite3.h>

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

QString Message(sqlite3 *db, int rc) {
  return QStringLiteral("[%1]--%2").arg(rc).arg(
      QString::fromUtf8(db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

}  // namespace

QString SqlQuoted(const QString &text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
  return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

std::unique_ptr<SqlConnection> SqlConnection::Open(const QString &path, const QString &password,
                                                   Mode mode, QString *error) {
  sqlite3 *db = nullptr;
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY
                                           : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
  std::unique_ptr<SqlConnection> connection(new SqlConnection(db));
  if (rc != SQLITE_OK) {
    if (error) *error = Message(db, rc);
    return nullptr;
  }
  QString failure;
  const bool ready =
      connection->Execute(QStringLiteral("PRAGMA key = %1").arg(SqlQuoted(password)), &failure) &&
      connection->Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"), &failure) &&
      RegisterZhCollation(db) &&
      sqlite3_create_function(db, "First", 1, SQLITE_UTF8, nullptr, nullptr, FirstStep,
                              FirstFinal) == SQLITE_OK;
  if (!ready) {
    if (error) *error = failure.isEmpty() ? QStringLiteral("cannot register functions") : failure;
    return nullptr;
  }
  return connection;
}

SqlConnection::~SqlConnection() { sqlite3_close_v2(db_); }

bool SqlConnection::Execute(const QString &sql, QString *error) const {
  char *message = nullptr;
  const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK && error) *error = QStringLiteral("[%1]--%2").arg(rc).arg(QString::fromUtf8(message ? message : ""));
  sqlite3_free(message);
  return rc == SQLITE_OK;
}

bool SqlConnection::HasTable(const QString &name) const {
  sqlite3_stmt *statement = nullptr;
  bool found = false;
  if (sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE",
                         -1, &statement, nullptr) == SQLITE_OK) {
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    found = sqlite3_step(statement) == SQLITE_ROW;
  }
  sqlite3_finalize(statement);
  return found;
}

}  // namespace velmora
