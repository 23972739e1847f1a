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
// the number of places, and each place's step from the last one (varints).
#include <QByteArray>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ByteSource.h"

namespace velmora {

class MeaningIndexBuilder {
 public:
  // A row's words, each at its place; rows come in rising code order.
  void Add(long long code, const std::vector<std::pair<std::string, int>> &words);
  QByteArray Serialize() const;

 private:
  struct List {
    QByteArray bytes;
    long long lastCode = 0;
  };
  std::unordered_map<std::string, uint32_t> ids_;  // each word's number, in the order first met
  std::vector<std::string> words_;                 // by number
  std::vector<List> lists_;                        // by number
  std::vector<std::pair<uint32_t, int>> row_;      // the row being added: its words' numbers and places
};

class MeaningIndex {
 public:
  // Nothing when the bytes are not an index of this layout.
  static std::optional<MeaningIndex> Open(std::shared_ptr<const ByteSource> bytes);

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
  MeaningIndex(std::shared_ptr<const ByteSource> bytes, uint32_t words) : bytes_(std::move(bytes)), words_(words) {}
  std::optional<uint32_t> ReadNumber(qint64 at) const;
  // The word's entry, or nothing when it is not in the index.
  std::optional<uint32_t> Find(const std::string &word) const;
  // The word's rows and places, read once for the index's life: the queries
  // of one search read the same words.
  const Postings &Read(const std::string &word) const;
  Postings Decode(const std::string &word) const;

  std::shared_ptr<const ByteSource> bytes_;
  uint32_t words_;
  mutable std::map<std::string, Postings> read_;
};

}  // namespace velmora
