#include "Conn.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <map>
#include <memory>

#include "SqlConnection.h"
#include "lang/Messages.h"
#include "config/FileHelpers.h"
#include "config/ProgramValues.h"

namespace velmora {

namespace {

Q_LOGGING_CATEGORY(lcQueries, "velmora.data")

const QString kProviderPrefix =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
const QString kPasswordPrefix =
    QStringLiteral(";Persist Security Info=False;Jet OLEDB:DataBase Password=");

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

SqlConnection *ConnectionFor(const QString &connString, QString *error) {
  auto &open = State().open;
  auto found = open.find(connString);
  if (found != open.end()) return found->second.get();
  auto connection = SqlConnection::Open(ResolvePath(ConnStringPart(connString, QStringLiteral("Data Source"))),
                                        ConnStringPart(connString, QStringLiteral("Jet OLEDB:DataBase Password")),
                                        SqlConnection::Mode::ReadOnly, error);
  if (!connection) return nullptr;
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

int Fetch(sqlite3 *db, const QString &query, const std::vector<SqlValue> &values, RecordSet *set) {
  sqlite3_stmt *statement = nullptr;
  int rc = sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr);
  if (rc == SQLITE_OK && !Bind(statement, values)) rc = SQLITE_RANGE;
  if (rc == SQLITE_OK) {
    QStringList names;
    const int columns = sqlite3_column_count(statement);
    for (int c = 0; c < columns; ++c) names << QString::fromUtf8(sqlite3_column_name(statement, c));
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

QString BuildConnString(const QString &dataFile) {
  return kProviderPrefix + dataFile + kPasswordPrefix + kDatabasePassword;
}

QString ConnStringPart(const QString &connString, const QString &name) {
  // The data file's path may itself hold ";", so it runs up to the next
  // known part rather than to the next ";".
  if (name.compare(QStringLiteral("Data Source"), Qt::CaseInsensitive) == 0) {
    const qsizetype start = connString.indexOf(QStringLiteral("Data Source="), 0, Qt::CaseInsensitive);
    if (start < 0) return {};
    const qsizetype from = start + 12;
    const qsizetype end = connString.indexOf(QStringLiteral(";Persist Security Info="), from, Qt::CaseInsensitive);
    return connString.mid(from, end < 0 ? -1 : end - from);
  }
  const QString key = name + QLatin1Char('=');
  const qsizetype start = connString.indexOf(key, 0, Qt::CaseInsensitive);
  if (start < 0) return {};
  const qsizetype from = start + key.size();
  const qsizetype end = connString.indexOf(QLatin1Char(';'), from);
  return connString.mid(from, end < 0 ? -1 : end - from);
}

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
