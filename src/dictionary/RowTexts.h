#pragma once
// One text per row, all in one buffer: a tenth of the memory of a string
// each at 200,000 rows. Where a row starts is kept in two bytes, counted
// from the start of its block of 64 rows, whose start takes four: two bytes
// a row instead of four (1.2 MB less for the matcher's three texts at
// 200,000 rows). Should a block's text outgrow two bytes (rows of hundreds
// of characters), every row's start is kept in four bytes instead.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

template <class Char>
class RowTexts {
 public:
  void Reserve(size_t rows, size_t unitsPerRow) {
    text_.reserve(rows * unitsPerRow);
    starts_.reserve(rows + 1);
    blockStarts_.reserve(rows / kBlock + 1);
  }
  void Add(std::basic_string_view<Char> item) {
    text_ += item;
    // The start of the row after it, which is where this row ends.
    const size_t next = Rows() + 1;
    if (wide_) {
      wideStarts_.push_back(static_cast<uint32_t>(text_.size()));
      return;
    }
    if (next % kBlock == 0) blockStarts_.push_back(static_cast<uint32_t>(text_.size()));
    const size_t inBlock = text_.size() - blockStarts_[next / kBlock];
    if (inBlock <= UINT16_MAX) {
      starts_.push_back(static_cast<uint16_t>(inBlock));
      return;
    }
    Widen();
    wideStarts_.push_back(static_cast<uint32_t>(text_.size()));
  }
  size_t Rows() const { return (wide_ ? wideStarts_.size() : starts_.size()) - 1; }
  // Where the row's text starts in Text(), for a row up to Rows(): that one
  // is where the last row's text ends.
  size_t Start(size_t row) const { return wide_ ? wideStarts_[row] : blockStarts_[row / kBlock] + starts_[row]; }
  std::basic_string_view<Char> At(size_t row) const {
    const size_t start = Start(row);
    return std::basic_string_view<Char>(text_.data() + start, Start(row + 1) - start);
  }
  // Every row's text, one after another.
  std::basic_string_view<Char> Text() const { return text_; }

 private:
  static constexpr size_t kBlock = 64;
  void Widen() {
    wideStarts_.reserve(starts_.capacity());
    for (size_t row = 0; row < starts_.size(); ++row) wideStarts_.push_back(blockStarts_[row / kBlock] + starts_[row]);
    starts_ = {};
    blockStarts_ = {};
    wide_ = true;
  }
  std::basic_string<Char> text_;
  // A start for each row and one for the end of the last.
  std::vector<uint16_t> starts_{0};
  std::vector<uint32_t> blockStarts_{0};
  std::vector<uint32_t> wideStarts_;
  bool wide_ = false;
};

}  // namespace velmora
