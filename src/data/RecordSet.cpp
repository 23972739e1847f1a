#include "RecordSet.h"

namespace velmora {

void RecordSet::Begin(const QStringList &names) {
  open_ = true;
  names_ = names;
  columnByName_.clear();
  for (int i = names.size() - 1; i >= 0; --i) columnByName_.insert(names[i].toLower(), i);
}

void RecordSet::AppendCell(const char *utf8, int length) {
  if (utf8 == nullptr) {
    cells_.push_back({0, -1});
    return;
  }
  cells_.push_back({static_cast<uint32_t>(text_.size()), length});
  text_.append(utf8, static_cast<size_t>(length));
}

int RecordSet::ColumnOf(const QString &name) const { return columnByName_.value(name.toLower(), -1); }

RecordSet RecordSet::Paged(std::shared_ptr<RowSource> source) {
  RecordSet set;
  set.open_ = true;
  set.source_ = std::move(source);
  return set;
}

std::optional<QString> RecordSet::FieldAt(size_t row, const QString &name) const {
  if (source_) {
    size_t index = 0;
    const RecordSet *page = row < source_->RowCount() ? source_->PageOf(row, &index) : nullptr;
    return page != nullptr ? page->FieldAt(index, name) : std::nullopt;
  }
  const int column = ColumnOf(name);
  if (column < 0 || row >= rowCount_) return std::nullopt;
  const Cell &cell = cells_[row * static_cast<size_t>(names_.size()) + static_cast<size_t>(column)];
  if (cell.length < 0) return std::nullopt;
  return QString::fromUtf8(text_.data() + cell.offset, cell.length);
}

}  // namespace velmora
