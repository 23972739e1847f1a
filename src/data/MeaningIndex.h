#pragma once
// The word index of search by meaning, as the data builder stores it in an
// edition: each word of the idioms' texts with the rows holding it and the
// places it holds there, so that words are found one after another (a
// phrase) as a full-text table finds them. A full-text table keeps the same
// lists in pages of its own and grew an edition by a third; here each list
// is packed (zlib) where that is smaller, and the whole is one stored value.
//
// Layout: "VMW1", the number of words N (32 bits), N ends of the words'
// texts, N ends of their lists (32 bits each, little-endian), the words'
// texts in byte order, then their lists. A list is a byte (0 plain, 1 packed)
// and then, for each row in code order: the code's step from the last one,
// each place's step from the last one (from -1 for the first), and a 0
// (varints).
#include <QByteArray>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ByteSource.h"

namespace velmora {

class MeaningIndexBuilder {
 public:
  // A word of a row at its place: rows in rising code order, a row's words
  // in rising place order.
  void Add(long long code, std::string_view word, int place);
  QByteArray Serialize();

 private:
  struct List {
    QByteArray bytes;
    long long lastCode = 0;
    int lastPlace = 0;
  };
  // Found by a view of the word, without making a string of it.
  struct WordHash {
    using is_transparent = void;
    size_t operator()(std::string_view word) const { return std::hash<std::string_view>{}(word); }
  };
  std::unordered_map<std::string, uint32_t, WordHash, std::equal_to<>> ids_;  // numbered in the order first met
  std::vector<std::string> words_;                                            // by number
  std::vector<List> lists_;                                                   // by number
};

class MeaningIndex {
 public:
  // Nothing when the bytes are not an index of this layout. rows: the
  // edition's; a word's list that would unpack to more than such an
  // edition's lists can hold is damage (or a decompression bomb) and finds
  // nothing.
  static std::optional<MeaningIndex> Open(std::shared_ptr<const ByteSource> bytes, size_t rows);

  // The codes of the rows in which the words stand one after another, in
  // code order, the first `limit` of them; none when there are no words.
  // Damaged lists find nothing.
  std::vector<long long> RowsWithPhrase(const std::vector<std::string> &words, size_t limit = SIZE_MAX) const;
  // The codes of the rows that hold every phrase (each as RowsWithPhrase).
  std::vector<long long> RowsWithEvery(const std::vector<std::vector<std::string>> &phrases,
                                       size_t limit = SIZE_MAX) const;

 private:
  struct Postings {
    std::vector<long long> codes;
    std::vector<uint32_t> firstPlace;  // one more than codes: where each row's places start
    std::vector<uint32_t> places;
  };
  MeaningIndex(std::shared_ptr<const ByteSource> bytes, uint32_t words, size_t rows)
      : bytes_(std::move(bytes)), words_(words), rows_(rows) {}
  // The most bytes a word's list may take unpacked.
  size_t LargestList() const;
  std::optional<uint32_t> ReadNumber(qint64 at) const;
  // Where the entry's text or list starts and ends, from the table of ends
  // at `ends`.
  std::optional<std::pair<uint32_t, uint32_t>> RangeOf(qint64 ends, uint32_t entry) const;
  // The word's entry, or nothing when it is not in the index.
  std::optional<uint32_t> Find(const std::string &word) const;
  // The word's rows and places, read once for the index's life: the queries
  // of one search read the same words.
  const Postings &Read(const std::string &word) const;
  Postings Decode(const std::string &word) const;

  std::shared_ptr<const ByteSource> bytes_;
  uint32_t words_;
  size_t rows_;
  mutable std::map<std::string, Postings> read_;
};

}  // namespace velmora
