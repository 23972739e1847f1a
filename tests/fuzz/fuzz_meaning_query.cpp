// Fuzz target: the full-text queries built from a search key. Whatever the
// key, each query runs against a full-text table without a syntax error:
// every word is a quoted term, nothing of the query language gets through.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "data/MeaningSearch.h"

namespace {

sqlite3 *Table() {
  static sqlite3 *db = [] {
    sqlite3 *opened = nullptr;
    sqlite3_open(":memory:", &opened);
    sqlite3_exec(opened,
                 "CREATE VIRTUAL TABLE VelmoraText USING fts4(Body, tokenize=unicode61);"
                 "INSERT INTO VelmoraText VALUES ('for better or for worse 比 喻');",
                 nullptr, nullptr, nullptr);
    return opened;
  }();
  return db;
}

}  // namespace

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString key = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const QStringList queries = velmora::MeaningQueries(key);
  Require(queries.isEmpty() || queries.size() == 2);
  for (const QString &query : queries) {
    Require(query.count(QLatin1Char('"')) % 2 == 0);
    sqlite3_stmt *statement = nullptr;
    Require(sqlite3_prepare_v2(Table(), "SELECT rowid FROM VelmoraText WHERE VelmoraText MATCH ?", -1, &statement,
                               nullptr) == SQLITE_OK);
    const QByteArray text = query.toUtf8();
    sqlite3_bind_text(statement, 1, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    sqlite3_finalize(statement);
    Require(rc == SQLITE_DONE);
  }
  return 0;
}
