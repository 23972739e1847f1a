#pragma once
// The rows of one query, fetched whole into memory and detached from the
// database. Fields are read by name (without regard to case) as text; a null
// field is told apart from empty text.
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class RecordSet;

// Where the rows of a record set come from when they are not all in memory:
// pages of rows, fetched when a row on them is read.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual size_t RowCount() const = 0;
  // The page that holds the row, with the row's index on it; nullptr when it
  // cannot be read.
  virtual const RecordSet *PageOf(size_t row, size_t *index) = 0;
};

class RecordSet {
 public:
  RecordSet() = default;  // a closed set: no rows, every read empty
  // An open set whose rows are read from the source as they are asked for.
  static RecordSet Paged(std::shared_ptr<RowSource> source);

  bool IsOpen() const { return open_; }
  // True when the rows are read from a RowSource as they are asked for.
  bool IsPaged() const { return source_ != nullptr; }
  bool EOF_() const { return position_ >= RowCount(); }
  void MoveNext() {
    if (!EOF_()) ++position_;
  }
  size_t RowCount() const { return source_ ? source_->RowCount() : rowCount_; }

  // The current row's field; nothing for a null value, an unknown field, or
  // when the set is at its end.
  std::optional<QString> Field(const QString &name) const { return FieldAt(position_, name); }
  // The same for any row, whatever the current one.
  std::optional<QString> FieldAt(size_t row, const QString &name) const;
  // The same as text: null and unreadable values give empty text.
  QString Text(const QString &name) const { return Field(name).value_or(QString()); }

  // Used by the query runner while it fills the set.
  void Begin(const QStringList &names);
  void AppendCell(const char *utf8, int length);  // utf8 == nullptr for null
  void EndRow() { ++rowCount_; }

 private:
  struct Cell {
    uint32_t offset;
    int32_t length;  // -1 for null
  };
  int ColumnOf(const QString &name) const;

  bool open_ = false;
  std::shared_ptr<RowSource> source_;
  QStringList names_;
  QHash<QString, int> columnByName_;  // keys in lower case
  std::string text_;
  std::vector<Cell> cells_;
  size_t rowCount_ = 0;
  size_t position_ = 0;
};

}  // namespace velmora
