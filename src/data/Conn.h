#pragma once
// The dictionary database: the start-up connection and every query.
#include <QString>
#include <functional>
#include <memory>
#include <variant>
#include <vector>

#include "ConnString.h"
#include "RecordSet.h"
#include "SqlConnection.h"

namespace velmora {

// True once OpenDatabase has opened the start-up connection.
bool DbOpen();
// Opens the start-up connection from ConnString() and proves that it holds
// the idiom table; a failure leaves DbOpen() false. A second call does nothing.
void OpenDatabase();
// OpenDatabase on another thread, so that its key derivation runs while the
// window is being made. Every function here waits for it to end before it
// touches a connection, DbOpen() included, so callers see no difference.
void StartOpeningDatabase();
// Runs the query with its bound values and returns all its rows, detached.
// A failed query gives a closed set; the report is kept in LastQueryError().
// The editable flag is accepted for the callers' sake: no caller changes rows.
RecordSet OpenRS(const QString &query, bool editable, const std::vector<SqlValue> &values = {});
QString LastQueryError();
// Told true when a query starts and false when it has ended, so that a window
// can show that it is busy; the user interface installs it (empty: none).
using QueryBusyHook = std::function<void(bool busy)>;
void SetQueryBusyHook(QueryBusyHook hook);
// A new read-only connection of its own to the connection string's file,
// for work on another thread; nothing (and *error) when it cannot be opened.
std::unique_ptr<SqlConnection> OpenConnection(const QString &connString, QString *error);
// The open connection of the dictionary (ConnString()), for the data layer's
// own reads beside the record sets; nullptr when it cannot be opened.
std::shared_ptr<SqlConnection> DictionaryConnection();
// Gives back the memory the open connections keep for cached pages.
void ReleaseQueryCaches();
// Closes every connection and forgets the start-up one (tests, shutdown).
void CloseDatabase();

}  // namespace velmora
