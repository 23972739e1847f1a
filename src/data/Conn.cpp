#include "Conn.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <QStringList>
#include <map>
#include <memory>

#include "SqlConnection.h"
#include "lang/Messages.h"
#include "config/FileHelpers.h"
#include "config/ProgramValues.h"

namespace velmora {

namespace {

Q_LOGGING_CATEGORY(lcQueries, "velmora.data")

// Opened connections by connection string. Opening costs a key derivation
// (tens of milliseconds), so each string is opened once and then reused; the
// user interface has one thread and every record set is fetched whole, so a
// connection is never used by two queries at a time.
struct Connections {
  std::map<QString, std::unique_ptr<SqlConnection>> open;
  SqlConnection *startup = nullptr;
  QString lastError;
  QueryBusyHook busy;
};

Connections &State() {
  static Connections state;
  return state;
}

// Tells the busy hook for the lifetime of the object.
class BusySpan {
 public:
  BusySpan() {
    if (State().busy) State().busy(true);
  }
  ~BusySpan() {
    if (State().busy) State().busy(false);
  }
  BusySpan(const BusySpan &) = delete;
  BusySpan &operator=(const BusySpan &) = delete;
};

// Filing letters compare without regard to case, as the dictionary's
// queries were written for. Editions from the data builder declare FirstA so;
// for any other file a temporary view of the same name, which the queries
// meet before the table, gives the column that comparison.
void CompareLettersWithoutCase(const SqlConnection &connection) {
  sqlite3 *db = connection.handle();
  const char *collation = nullptr;
  if (sqlite3_table_column_metadata(db, "main", "VELM", "FirstA", nullptr, &collation, nullptr, nullptr,
                                    nullptr) != SQLITE_OK ||
      collation == nullptr || sqlite3_stricmp(collation, "NOCASE") == 0)
    return;
  QStringList columns;
  sqlite3_stmt *statement = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA main.table_info(VELM)", -1, &statement, nullptr) != SQLITE_OK) return;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
    const QString quoted = QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
                           QLatin1Char('"');
    // Named explicitly: without AS, the view's column would be named by the
    // quoted expression text.
    const bool letter = name.compare(QStringLiteral("FirstA"), Qt::CaseInsensitive) == 0;
    columns << quoted + (letter ? QStringLiteral(" COLLATE NOCASE AS ") : QStringLiteral(" AS ")) + quoted;
  }
  sqlite3_finalize(statement);
  QString error;
  if (!connection.Execute(QStringLiteral("CREATE TEMP VIEW VELM AS SELECT ") + columns.join(QStringLiteral(", ")) +
                              QStringLiteral(" FROM main.VELM"),
                          &error))
    qCWarning(lcQueries).noquote() << "letters keep their case:" << error;
}

SqlConnection *ConnectionFor(const QString &connString, QString *error) {
  auto &open = State().open;
  auto found = open.find(connString);
  if (found != open.end()) return found->second.get();
  auto connection = SqlConnection::Open(ResolvePath(ConnStringPart(connString, QStringLiteral("Data Source"))),
                                        ConnStringPart(connString, QStringLiteral("Jet OLEDB:DataBase Password")),
                                        SqlConnection::Mode::ReadOnly, error);
  if (!connection) return nullptr;
  if (connection->HasTable(QStringLiteral("VELM"))) CompareLettersWithoutCase(*connection);
  return open.emplace(connString, std::move(connection)).first->second.get();
}

bool Bind(sqlite3_stmt *statement, const std::vector<SqlValue> &values) {
  for (size_t i = 0; i < values.size(); ++i) {
    const int index = static_cast<int>(i) + 1;
    int rc;
    if (const auto *number = std::get_if<long long>(&values[i])) {
      rc = sqlite3_bind_int64(statement, index, *number);
    } else {
      const QByteArray utf8 = std::get<QString>(values[i]).toUtf8();
      rc = sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()),
                             SQLITE_TRANSIENT);
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

int Fetch(sqlite3 *db, const QString &query, const std::vector<SqlValue> &values, RecordSet *set) {
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

bool DbOpen() { return State().startup != nullptr; }

void OpenDatabase() {
  if (DbOpen()) return;
  QString error;
  SqlConnection *connection = ConnectionFor(ConnString(), &error);
  if (connection != nullptr && connection->HasTable(QStringLiteral("VELM"))) {
    State().startup = connection;
  } else if (connection != nullptr) {
    State().open.erase(ConnString());
  }
}

RecordSet OpenRS(const QString &query, bool /*editable*/, const std::vector<SqlValue> &values) {
  BusySpan busy;
  QString error;
  RecordSet set;
  SqlConnection *connection = ConnectionFor(ConnString(), &error);
  int rc = SQLITE_CANTOPEN;
  if (connection != nullptr) {
    rc = Fetch(connection->handle(), query, values, &set);
    if (rc != SQLITE_OK) error = QStringLiteral("[%1]--%2").arg(rc).arg(QString::fromUtf8(sqlite3_errmsg(connection->handle())));
  }
  if (rc != SQLITE_OK) {
    qCWarning(lcQueries).noquote() << "query failed:" << query << error;
    State().lastError = QStringLiteral("OpenRS\n") + query + QLatin1Char('\n') + error +
                        QLatin1Char('\n') + GetMessageText(kMsgQueryFailed);
  }
  return set;
}

QString LastQueryError() { return State().lastError; }

void SetQueryBusyHook(QueryBusyHook hook) { State().busy = std::move(hook); }

void ReleaseQueryCaches() {
  for (const auto &[connString, connection] : State().open) sqlite3_db_release_memory(connection->handle());
}

void CloseDatabase() {
  State().startup = nullptr;
  State().open.clear();
}

}  // namespace velmora
