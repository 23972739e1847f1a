#pragma once
// One open SQLCipher database: keyed, with the collation and the First()
// aggregate that the dictionary's queries need.
#include <QString>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

#include "RecordSet.h"

struct sqlite3;

namespace velmora {
// A value bound to a "?" of a query text.
using SqlValue = std::variant<long long, QString>;
}  // namespace velmora

namespace velmora {

// How a data file is enciphered. Neither value is stored in the file, so a
// reader must use the writer's.
struct CipherSettings {
  int pageSize;
  int kdfIterations;
};
// What editions are written with: large pages (fewer to decipher and
// authenticate when a list is read) and a light key derivation (the password
// is the program's own and travels with it; the derivation only costs time
// at every start).
inline constexpr CipherSettings kCipherSettings{4096, 1000};
// SQLCipher 3's defaults, which editions of earlier builders used.
inline constexpr CipherSettings kLegacyCipherSettings{1024, 64000};

class SqlConnection {
 public:
  enum class Mode { ReadOnly, Create };

  // Opens and keys the file and proves the key by reading the schema. A new
  // file gets kCipherSettings; an existing one is read with them or, failing
  // that, with kLegacyCipherSettings. Nothing on failure, with the engine's
  // message in *error.
  static std::unique_ptr<SqlConnection> Open(const QString &path, const QString &password, Mode mode, QString *error);
  // Opens or creates a plain database, without a key (the user's own
  // files); writers wait up to busyMilliseconds for one another. Nothing on
  // failure, with the engine's message in *error and its result code in
  // *code when given.
  static std::unique_ptr<SqlConnection> OpenPlain(const QString &path, int busyMilliseconds, QString *error,
                                                  int *code = nullptr);
  ~SqlConnection();
  SqlConnection(const SqlConnection &) = delete;
  SqlConnection &operator=(const SqlConnection &) = delete;

  sqlite3 *handle() const { return db_; }
  bool HasTable(const QString &name) const;
  // Runs statements that return no rows; false with *error on failure.
  bool Execute(const QString &sql, QString *error = nullptr) const;
  // Runs a query with its bound values and fetches all its rows into *rows;
  // the engine's result code (SQLITE_OK when every row came).
  int Fetch(const QString &query, const std::vector<SqlValue> &values, RecordSet *rows) const;
  // Runs one statement with its bound values, ignoring any rows; the
  // engine's result code (SQLITE_OK on success).
  int Run(const QString &statement, const std::vector<SqlValue> &values) const;
  // Runs the statements as one immediate transaction; the first failure
  // undoes them all (logged under the given category name's message).
  using Steps = std::vector<std::pair<QString, std::vector<SqlValue>>>;
  bool RunInTransaction(const Steps &steps) const;
  // True when the file could only be opened for reading.
  bool IsReadOnly() const;

 private:
  explicit SqlConnection(sqlite3 *db) : db_(db) {}
  static std::unique_ptr<SqlConnection> OpenWith(const QString &path, const QString &password, Mode mode,
                                                 const CipherSettings &cipher, QString *error);
  sqlite3 *db_;
};

// Quotes a text as an SQL string literal, doubling its quotes.
QString SqlQuoted(const QString &text);

}  // namespace velmora
