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

int RecordSet::ColumnOf(const QString &name) const {
  return columnByName_.value(name.toLower(), -1);
}

std::optional<QString> RecordSet::Field(const QString &name) const {
  const int column = ColumnOf(name);
  if (column < 0 || EOF_()) return std::nullopt;
  const Cell &cell = cells_[position_ * static_cast<size_t>(names_.size()) + static_cast<size_t>(column)];
  if (cell.length < 0) return std::nullopt;
  return QString::fromUtf8(text_.data() + cell.offset, cell.length);
}

}  // namespace velmora
