#pragma once
// The rows of the idiom table in list order, read a page at a time, for an
// edition whose codes run 1..N in the order of the idioms: row i is the
// idiom with code i + 1, so a page is one range of the table's key.
#include <deque>
#include <memory>

#include "RecordSet.h"
#include "SqlConnection.h"

namespace velmora {

class RowPager : public RowSource {
 public:
  static constexpr size_t kPageRows = 256;
  // The few pages last read stay in memory; a list shows far fewer rows.
  static constexpr size_t kPagesKept = 8;

  RowPager(std::shared_ptr<const SqlConnection> connection, size_t rows);
  size_t RowCount() const override { return rows_; }
  const RecordSet *PageOf(size_t row, size_t *index) override;

 private:
  struct Page {
    size_t number;
    RecordSet rows;
  };
  std::shared_ptr<const SqlConnection> connection_;
  size_t rows_;
  std::deque<Page> pages_;  // most recently read first
};

}  // namespace velmora
