#include "Conn.h"

#include <sqlite3.h>

#include <QLoggingCategory>
#include <QStringList>
#include <future>
#include <map>
#include <memory>

#include "EditionFacts.h"
#include "Queries.h"
#include "RowPager.h"
#include "SqlConnection.h"
#include "config/FileHelpers.h"
#include "config/ProgramValues.h"
#include "config/StartupTrace.h"
#include "lang/Messages.h"

namespace velmora {

namespace {

Q_LOGGING_CATEGORY(lcQueries, "velmora.data")

// Opened connections by connection string. Opening costs a key derivation
// (tens of milliseconds), so each string is opened once and then reused; the
// user interface has one thread and every record set is fetched whole, so a
// connection is never used by two queries at a time.
struct Connections {
  std::map<QString, std::shared_ptr<SqlConnection>> open;
  // Per connection string: the rows of an edition whose list can be read a
  // page at a time (see EditionFacts.h); nothing for other editions.
  std::map<QString, std::optional<size_t>> rowsInCodeOrder;
  SqlConnection *startup = nullptr;
  QString lastError;
  QueryBusyHook busy;
  // The start-up connection being opened on another thread, if it is.
  std::future<void> opening;
};

Connections &Unsettled() {
  static Connections state;
  return state;
}

// The connections, once a start-up open on another thread has ended: from
// then on only the user interface's thread touches them.
Connections &State() {
  Connections &state = Unsettled();
  if (state.opening.valid()) state.opening.get();
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
  if (sqlite3_table_column_metadata(db, "main", "VELM", "FirstA", nullptr, &collation, nullptr, nullptr, nullptr) !=
          SQLITE_OK ||
      collation == nullptr || sqlite3_stricmp(collation, "NOCASE") == 0)
    return;
  QStringList columns;
  sqlite3_stmt *statement = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA main.table_info(VELM)", -1, &statement, nullptr) != SQLITE_OK) return;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
    const QString quoted =
        QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
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

std::unique_ptr<SqlConnection> OpenDictionaryFile(const QString &connString, QString *error) {
  return SqlConnection::Open(ResolvePath(ConnStringPart(connString, QStringLiteral("Data Source"))),
                             ConnStringPart(connString, QStringLiteral("Jet OLEDB:DataBase Password")),
                             SqlConnection::Mode::ReadOnly, error);
}

std::shared_ptr<SqlConnection> ConnectionIn(Connections &state, const QString &connString, QString *error) {
  auto &open = state.open;
  auto found = open.find(connString);
  if (found != open.end()) return found->second;
  auto connection = OpenDictionaryFile(connString, error);
  if (!connection) return nullptr;
  if (connection->HasTable(QStringLiteral("VELM"))) CompareLettersWithoutCase(*connection);
  state.rowsInCodeOrder[connString] = RowsInCodeOrder(*connection);
  return open.emplace(connString, std::shared_ptr<SqlConnection>(std::move(connection))).first->second;
}

std::shared_ptr<SqlConnection> ConnectionFor(const QString &connString, QString *error) {
  return ConnectionIn(State(), connString, error);
}

void OpenStartupConnection(Connections &state, const QString &connString) {
  QString error;
  const auto connection = ConnectionIn(state, connString, &error);
  if (connection != nullptr && connection->HasTable(QStringLiteral("VELM")))
    state.startup = connection.get();
  else if (connection != nullptr)
    state.open.erase(connString);
}

// The list query needs every row, but a list shows a screenful: on an
// edition whose codes run in idiom order its rows are read a page at a time,
// when they are looked at. Same rows, same fields, same order.
std::optional<RecordSet> PagedList(const QString &query, const std::vector<SqlValue> &values,
                                   const std::shared_ptr<SqlConnection> &connection) {
  if (query != kAllIdiomsQuery || !values.empty()) return std::nullopt;
  const auto rows = State().rowsInCodeOrder[ConnString()];
  if (!rows) return std::nullopt;
  return RecordSet::Paged(std::make_shared<RowPager>(connection, *rows));
}

}  // namespace

bool DbOpen() { return State().startup != nullptr; }

void OpenDatabase() {
  if (!DbOpen()) OpenStartupConnection(State(), ConnString());
}

void StartOpeningDatabase() {
  if (DbOpen()) return;
  // The worker reaches the state through Unsettled(): State() would wait
  // for the worker itself.
  Unsettled().opening = std::async(std::launch::async, [connString = ConnString()] {
    OpenStartupConnection(Unsettled(), connString);
    TraceStartup("database-open");
  });
}

RecordSet OpenRS(const QString &query, bool /*editable*/, const std::vector<SqlValue> &values) {
  BusySpan busy;
  QString error;
  RecordSet set;
  const auto connection = ConnectionFor(ConnString(), &error);
  int rc = SQLITE_CANTOPEN;
  if (connection != nullptr) {
    if (auto paged = PagedList(query, values, connection)) return std::move(*paged);
    rc = connection->Fetch(query, values, &set);
    if (rc != SQLITE_OK)
      error = QStringLiteral("[%1]--%2").arg(rc).arg(QString::fromUtf8(sqlite3_errmsg(connection->handle())));
  }
  if (rc != SQLITE_OK) {
    qCWarning(lcQueries).noquote() << "query failed:" << query << error;
    State().lastError = QStringLiteral("OpenRS\n") + query + QLatin1Char('\n') + error + QLatin1Char('\n') +
                        GetMessageText(kMsgQueryFailed);
  }
  return set;
}

std::unique_ptr<SqlConnection> OpenConnection(const QString &connString, QString *error) {
  auto connection = OpenDictionaryFile(connString, error);
  // Work on another thread reads its rows or blobs once: a page cache of
  // the default two megabytes would only hold what is never read again.
  if (connection) connection->Execute(QStringLiteral("PRAGMA cache_size = -256"));
  return connection;
}

std::shared_ptr<SqlConnection> DictionaryConnection() {
  QString error;
  return ConnectionFor(ConnString(), &error);
}

QString LastQueryError() { return State().lastError; }

void SetQueryBusyHook(QueryBusyHook hook) { State().busy = std::move(hook); }

void ReleaseQueryCaches() {
  for (const auto &[connString, connection] : State().open) sqlite3_db_release_memory(connection->handle());
}

void CloseDatabase() {
  State().startup = nullptr;
  State().open.clear();
  State().rowsInCodeOrder.clear();
}

}  // namespace velmora
