#pragma once
// How common each idiom of an edition is (the counts the data builder
// stores, kSearchFrequency), by list row: what puts common idioms first
// wherever the program offers idioms the user did not type. Idioms without
// a count come after those with one, in their own order.
#include <QByteArray>
#include <cstdint>
#include <vector>

namespace velmora {

class SqlConnection;

class IdiomFrequencies {
 public:
  IdiomFrequencies() = default;
  explicit IdiomFrequencies(std::vector<uint32_t> counts) : counts_(std::move(counts)) {}
  // The edition's counts; none (every idiom unknown) when it stores none or
  // they do not fit its rows.
  static IdiomFrequencies Read(const SqlConnection &connection, int rows);
  static IdiomFrequencies FromBytes(const QByteArray &bytes, int rows);

  bool Known() const { return !counts_.empty(); }
  // The row's count; 0 when unknown.
  uint32_t At(int row) const {
    return row >= 0 && static_cast<size_t>(row) < counts_.size() ? counts_[static_cast<size_t>(row)] : 0;
  }
  // True when a is to come before b: the more common first, then the
  // order they are in.
  bool Before(int a, int b) const { return At(a) > At(b); }
  // Orders the rows common first; rows alike keep their order.
  void CommonFirst(std::vector<int> *rows) const;
  // Every row of the edition, common first.
  std::vector<int> RowsCommonFirst(int rows) const;

 private:
  std::vector<uint32_t> counts_;
};

}  // namespace velmora
