#include "RowPager.h"

#include <sqlite3.h>

namespace velmora {

namespace {

const QString kPageQuery = QStringLiteral("SELECT * FROM VELM WHERE Code BETWEEN ? AND ? ORDER BY Code");

}  // namespace

RowPager::RowPager(std::shared_ptr<const SqlConnection> connection, size_t rows)
    : connection_(std::move(connection)), rows_(rows) {}

const RecordSet *RowPager::PageOf(size_t row, size_t *index) {
  const size_t number = row / kPageRows;
  *index = row % kPageRows;
  for (auto page = pages_.begin(); page != pages_.end(); ++page) {
    if (page->number != number) continue;
    if (page != pages_.begin()) {
      Page found = std::move(*page);
      pages_.erase(page);
      pages_.push_front(std::move(found));
    }
    return &pages_.front().rows;
  }
  RecordSet rows;
  const auto first = static_cast<long long>(number * kPageRows) + 1;
  if (connection_->Fetch(kPageQuery, {first, first + static_cast<long long>(kPageRows) - 1}, &rows) != SQLITE_OK)
    return nullptr;
  pages_.push_front({number, std::move(rows)});
  if (pages_.size() > kPagesKept) pages_.pop_back();
  return &pages_.front().rows;
}

}  // namespace velmora
