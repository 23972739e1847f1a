#pragma once
// One open SQLCipher database: keyed, with the collation and the First()
// aggregate that the dictionary's queries need.
#include <QString>
#include <memory>
#include <optional>

struct sqlite3;

namespace velmora {

class SqlConnection {
 public:
  enum class Mode { ReadOnly, Create };

  // Opens and keys the file and proves the key by reading the schema.
  // Nothing on failure, with the engine's message in *error.
  static std::unique_ptr<SqlConnection> Open(const QString &path, const QString &password,
                                             Mode mode, QString *error);
  ~SqlConnection();
  SqlConnection(const SqlConnection &) = delete;
  SqlConnection &operator=(const SqlConnection &) = delete;

  sqlite3 *handle() const { return db_; }
  bool HasTable(const QString &name) const;
  // Runs statements that return no rows; false with *error on failure.
  bool Execute(const QString &sql, QString *error = nullptr) const;

 private:
  explicit SqlConnection(sqlite3 *db) : db_(db) {}
  sqlite3 *db_;
};

// Quotes a text as an SQL string literal, doubling its quotes.
QString SqlQuoted(const QString &text);

}  // namespace velmora
