#include "EditionFacts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>
#include <zlib.h>

#include <algorithm>

#include "Queries.h"

namespace velmora {

std::optional<size_t> RowsInCodeOrder(const SqlConnection &connection) {
  if (!connection.HasTable(QStringLiteral("VelmoraInfo"))) return std::nullopt;
  RecordSet order;
  if (connection.Fetch(QStringLiteral("SELECT Value FROM VelmoraInfo WHERE Name=?"), {kInfoListOrder}, &order) !=
          SQLITE_OK ||
      order.Text(QStringLiteral("Value")) != kListInCodeOrder)
    return std::nullopt;
  RecordSet highest;
  if (connection.Fetch(QStringLiteral("SELECT max(Code) AS Rows FROM VELM"), {}, &highest) != SQLITE_OK)
    return std::nullopt;
  const long long rows = highest.Text(QStringLiteral("Rows")).toLongLong();
  return rows > 0 ? static_cast<size_t>(rows) : 0;
}

namespace {

QString ColumnText(sqlite3_stmt *statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                           sqlite3_column_bytes(statement, column));
}

// The row of the named data in VelmoraSearch; -1 when it is not stored.
sqlite3_int64 NamedDataRow(sqlite3 *db, const QString &name) {
  sqlite3_stmt *statement = nullptr;
  sqlite3_int64 rowid = -1;
  const QByteArray utf8 = name.toUtf8();
  if (sqlite3_prepare_v2(db, "SELECT rowid FROM VelmoraSearch WHERE Name = ?1", -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_bind_text(statement, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW)
    rowid = sqlite3_column_int64(statement, 0);
  sqlite3_finalize(statement);
  return rowid;
}

sqlite3_blob *OpenNamedData(const SqlConnection &connection, const QString &name) {
  const sqlite3_int64 rowid = NamedDataRow(connection.handle(), name);
  sqlite3_blob *blob = nullptr;
  if (rowid < 0 ||
      sqlite3_blob_open(connection.handle(), "main", "VelmoraSearch", "Data", rowid, 0, &blob) != SQLITE_OK) {
    sqlite3_blob_close(blob);
    return nullptr;
  }
  return blob;
}

// The named data read straight into a buffer of its own: reading it as a
// column would first assemble it in a buffer of SQLite's, a second copy of
// megabytes. Empty when it is not stored.
QByteArray ReadNamedData(const SqlConnection &connection, const QString &name) {
  sqlite3_blob *blob = OpenNamedData(connection, name);
  if (blob == nullptr) return {};
  QByteArray data(sqlite3_blob_bytes(blob), Qt::Uninitialized);
  if (sqlite3_blob_read(blob, data.data(), static_cast<int>(data.size()), 0) != SQLITE_OK) data.clear();
  sqlite3_blob_close(blob);
  return data;
}

// Named data read from the file a range at a time, through an open blob
// handle: SQLite finds any range of it without reading what is before.
class StoredBytes final : public ByteSource {
 public:
  static std::shared_ptr<const ByteSource> Open(std::shared_ptr<SqlConnection> connection, const QString &name) {
    sqlite3_blob *blob = OpenNamedData(*connection, name);
    if (blob == nullptr) return nullptr;
    return std::shared_ptr<const ByteSource>(new StoredBytes(std::move(connection), blob));
  }
  ~StoredBytes() override { sqlite3_blob_close(blob_); }
  StoredBytes(const StoredBytes &) = delete;
  StoredBytes &operator=(const StoredBytes &) = delete;
  qint64 size() const override { return size_; }
  bool Read(qint64 at, qint64 length, char *into) const override {
    if (at < 0 || length < 0 || at > size_ || length > size_ - at) return false;
    return sqlite3_blob_read(blob_, into, static_cast<int>(length), static_cast<int>(at)) == SQLITE_OK;
  }

 private:
  StoredBytes(std::shared_ptr<SqlConnection> connection, sqlite3_blob *blob)
      : connection_(std::move(connection)), blob_(blob), size_(sqlite3_blob_bytes(blob)) {}
  std::shared_ptr<SqlConnection> connection_;  // closed after the last of its blobs
  sqlite3_blob *blob_;
  qint64 size_;
};

}  // namespace

bool ForEachLineOfSearchData(const SqlConnection &connection, const QString &name,
                             const std::function<void(QByteArrayView line)> &take) {
  if (!connection.HasTable(QStringLiteral("VelmoraSearch"))) return false;
  sqlite3_blob *blob = OpenNamedData(connection, name);
  if (blob == nullptr) return false;
  const int size = sqlite3_blob_bytes(blob);
  // A piece at a time: the whole would be megabytes held only to be split.
  constexpr int kPiece = 64 * 1024;
  QByteArray piece(kPiece, Qt::Uninitialized), line;
  bool whole = true;
  for (int at = 0; at < size && whole; at += kPiece) {
    const int length = std::min(kPiece, size - at);
    whole = sqlite3_blob_read(blob, piece.data(), length, at) == SQLITE_OK;
    for (int from = 0; whole && from < length;) {
      const auto end = static_cast<int>(QByteArrayView(piece.constData() + from, length - from).indexOf('\n'));
      if (end < 0) {
        line.append(piece.constData() + from, length - from);
        break;
      }
      line.append(piece.constData() + from, end);
      take(line);
      line.clear();
      from += end + 1;
    }
  }
  if (whole && size > 0) take(line);  // the last line, which no newline ends
  sqlite3_blob_close(blob);
  return whole && size > 0;
}

std::optional<StoredSearchIndexes> OpenSearchIndexes(std::shared_ptr<SqlConnection> connection) {
  if (!connection || !connection->HasTable(QStringLiteral("VelmoraSearch"))) return std::nullopt;
  // Only the three: the other data stored beside them is large and read when wanted.
  StoredSearchIndexes indexes{StoredBytes::Open(connection, kSearchTextIndex),
                              StoredBytes::Open(connection, kSearchPinyinIndex),
                              StoredBytes::Open(connection, kSearchInitialsIndex)};
  if (!indexes.text || !indexes.pinyin || !indexes.initials) return std::nullopt;
  return indexes;
}

std::shared_ptr<const ByteSource> OpenSearchData(std::shared_ptr<SqlConnection> connection, const QString &name) {
  if (!connection || !connection->HasTable(QStringLiteral("VelmoraSearch"))) return nullptr;
  return StoredBytes::Open(std::move(connection), name);
}

QByteArray ReadSearchData(const SqlConnection &connection, const QString &name) {
  if (!connection.HasTable(QStringLiteral("VelmoraSearch"))) return {};
  return ReadNamedData(connection, name);
}

QByteArray ReadOtherScriptLines(const SqlConnection &connection) {
  return ReadSearchData(connection, kSearchOtherScript);
}

void ForEachIdiomWithNote(
    const SqlConnection &connection,
    const std::function<void(const QString &idiom, const QString &spell, const QString &note)> &take) {
  sqlite3_stmt *statement = nullptr;
  if (sqlite3_prepare_v2(connection.handle(), "SELECT Idiom, Spell, Note FROM VELM", -1, &statement, nullptr) !=
      SQLITE_OK)
    return;
  while (sqlite3_step(statement) == SQLITE_ROW)
    take(ColumnText(statement, 0), ColumnText(statement, 1), ColumnText(statement, 2));
  sqlite3_finalize(statement);
}

std::vector<std::pair<int, QString>> ReadRelatedTerms(const SqlConnection &connection, const QString &idiom) {
  std::vector<std::pair<int, QString>> terms;
  if (!connection.HasTable(QStringLiteral("VelmoraRelated"))) return terms;
  RecordSet rows;
  if (connection.Fetch(QStringLiteral("SELECT Kind, Other FROM VelmoraRelated WHERE Code = "
                                      "(SELECT Code FROM VELM WHERE Idiom = ?1) ORDER BY rowid"),
                       {idiom}, &rows) != SQLITE_OK)
    return terms;
  for (; !rows.EOF_(); rows.MoveNext())
    terms.emplace_back(rows.Text(QStringLiteral("Kind")).toInt(), rows.Text(QStringLiteral("Other")));
  return terms;
}

void ForEachIdiomInCodeOrder(const SqlConnection &connection,
                             const std::function<void(const QString &idiom, const QString &spell)> &take) {
  sqlite3_stmt *statement = nullptr;
  if (sqlite3_prepare_v2(connection.handle(), "SELECT Idiom, Spell FROM VELM ORDER BY Code", -1, &statement, nullptr) !=
      SQLITE_OK)
    return;
  while (sqlite3_step(statement) == SQLITE_ROW) take(ColumnText(statement, 0), ColumnText(statement, 1));
  sqlite3_finalize(statement);
}

bool ForEachStoredIdiom(const SqlConnection &connection,
                        const std::function<void(const QString &idiom, const QString &spell)> &take) {
  bool checked = false;
  const uLong expected = ReadSearchData(connection, kSearchRowsCheck).toULong(&checked);
  if (!checked) return false;
  bool wellFormed = true, first = true;
  uLong crc = crc32(0, nullptr, 0);
  const bool whole = ForEachLineOfSearchData(connection, kSearchRows, [&](QByteArrayView line) {
    if (!first) crc = crc32(crc, reinterpret_cast<const Bytef *>("\n"), 1);
    first = false;
    crc = crc32(crc, reinterpret_cast<const Bytef *>(line.data()), static_cast<uInt>(line.size()));
    const qsizetype separator = line.indexOf(kRowFieldSeparator);
    if (separator < 0) {
      wellFormed = false;
      return;
    }
    take(QString::fromUtf8(line.first(separator)), QString::fromUtf8(line.sliced(separator + 1)));
  });
  return whole && wellFormed && crc == expected;
}

IdiomsAndSpells ReadIdiomsAndSpells(const SqlConnection &connection) {
  IdiomsAndSpells read;
  RecordSet rows;
  if (connection.Fetch(kAllIdiomsQuery, {}, &rows) != SQLITE_OK) return read;
  read.idioms.reserve(static_cast<qsizetype>(rows.RowCount()));
  read.spells.reserve(static_cast<qsizetype>(rows.RowCount()));
  for (; !rows.EOF_(); rows.MoveNext()) {
    read.idioms << rows.Text(QStringLiteral("Idiom"));
    read.spells << rows.Text(QStringLiteral("Spell"));
  }
  return read;
}

}  // namespace velmora

namespace velmora {

std::vector<EditionSource> ReadEditionSources(const SqlConnection &connection) {
  std::vector<EditionSource> sources;
  RecordSet value;
  if (!connection.HasTable(QStringLiteral("VelmoraInfo")) ||
      connection.Fetch(kInfoValueQuery, {kInfoSources}, &value) != 0 || value.EOF_())
    return sources;
  const QJsonArray list = QJsonDocument::fromJson(value.Text(QStringLiteral("Value")).toUtf8()).array();
  for (const QJsonValue &item : list) {
    const QJsonObject source = item.toObject();
    const QString name = source.value(QStringLiteral("name")).toString();
    if (!name.isEmpty())
      sources.push_back({name, source.value(QStringLiteral("version")).toString(),
                         source.value(QStringLiteral("licence")).toString()});
  }
  return sources;
}

}  // namespace velmora
