#include "MeaningIndex.h"

#include <zlib.h>

#include <QtEndian>
#include <algorithm>
#include <climits>

namespace velmora {

namespace {

// A word's list takes a few bytes a row (its code's step, a place or two
// and the end); these bound what a list may unpack to, so that a damaged or
// hostile edition cannot make a keystroke take gigabytes.
constexpr size_t kListBytesPerRow = 64;
constexpr size_t kListSlack = 64 * 1024;

// A list packed as qCompress packs it (its length, big-endian, then zlib's
// stream), unpacked into at most `most` bytes; nothing when it claims or
// holds more, or is damaged.
std::optional<QByteArray> Unpack(QByteArrayView packed, size_t most) {
  if (packed.size() < 4) return std::nullopt;
  const auto claimed = qFromBigEndian<uint32_t>(packed.data());
  if (claimed > most) return std::nullopt;
  QByteArray list(static_cast<qsizetype>(claimed), Qt::Uninitialized);
  uLongf length = claimed;
  if (uncompress(reinterpret_cast<Bytef *>(list.data()), &length, reinterpret_cast<const Bytef *>(packed.data()) + 4,
                 static_cast<uLong>(packed.size() - 4)) != Z_OK ||
      length != claimed)
    return std::nullopt;
  return list;
}

constexpr char kMagic[4] = {'V', 'M', 'W', '1'};
constexpr qint64 kHeader = 8;
// No word the tokenizer gives is longer; a longer one is damage.
constexpr uint32_t kLongestWord = 4096;

void AppendVarint(QByteArray &into, unsigned long long value) {
  while (value >= 0x80) {
    into.append(static_cast<char>((value & 0x7f) | 0x80));
    value >>= 7;
  }
  into.append(static_cast<char>(value));
}

void AppendNumber(QByteArray &into, uint32_t value) {
  char bytes[4];
  qToLittleEndian(value, bytes);
  into.append(bytes, 4);
}

// Reads a varint of at most 35 bits from [at, end); false when it runs out.
bool ReadVarint(const char *&at, const char *end, unsigned long long *value) {
  *value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    if (at == end) return false;
    const auto byte = static_cast<unsigned char>(*at++);
    *value |= static_cast<unsigned long long>(byte & 0x7f) << shift;
    if ((byte & 0x80) == 0) return true;
  }
  return false;
}

}  // namespace

void MeaningIndexBuilder::Add(long long code, std::string_view word, int place) {
  auto known = ids_.find(word);
  if (known == ids_.end()) {
    known = ids_.emplace(std::string(word), static_cast<uint32_t>(words_.size())).first;
    words_.emplace_back(word);
    lists_.emplace_back();
  }
  List &list = lists_[known->second];
  if (list.lastCode != code) {
    // The row before ends where this one begins.
    if (list.lastCode != 0) list.bytes.append('\0');
    AppendVarint(list.bytes, static_cast<unsigned long long>(code - list.lastCode));
    list.lastCode = code;
    list.lastPlace = -1;
  }
  AppendVarint(list.bytes, static_cast<unsigned long long>(place - list.lastPlace));
  list.lastPlace = place;
}

QByteArray MeaningIndexBuilder::Serialize() {
  for (List &list : lists_) list.bytes.append('\0');  // each list's last row ends
  std::vector<uint32_t> order(words_.size());
  for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) { return words_[a] < words_[b]; });
  QByteArray ends, listEnds, texts, lists;
  for (const uint32_t id : order) {
    const std::string &word = words_[id];
    const List &list = lists_[id];
    texts.append(word.data(), static_cast<qsizetype>(word.size()));
    // Packed only where that is smaller: a short list would grow.
    const QByteArray packed = list.bytes.size() > 32 ? qCompress(list.bytes, 1) : QByteArray();
    const bool pack = !packed.isEmpty() && packed.size() < list.bytes.size();
    lists.append(static_cast<char>(pack ? 1 : 0));
    lists.append(pack ? packed : list.bytes);
    AppendNumber(ends, static_cast<uint32_t>(texts.size()));
    AppendNumber(listEnds, static_cast<uint32_t>(lists.size()));
  }
  QByteArray index(kMagic, 4);
  AppendNumber(index, static_cast<uint32_t>(words_.size()));
  return index + ends + listEnds + texts + lists;
}

std::optional<MeaningIndex> MeaningIndex::Open(std::shared_ptr<const ByteSource> bytes, size_t rows) {
  char header[kHeader];
  if (!bytes || !bytes->Read(0, kHeader, header) || !std::equal(kMagic, kMagic + 4, header)) return std::nullopt;
  const uint32_t words = qFromLittleEndian<uint32_t>(header + 4);
  if (kHeader + 8 * qint64{words} > bytes->size()) return std::nullopt;
  MeaningIndex index(std::move(bytes), words, rows);
  if (words == 0) return index;
  // The two last ends reach the end of the bytes exactly.
  const auto textEnd = index.ReadNumber(kHeader + 4 * (qint64{words} - 1));
  const auto listEnd = index.ReadNumber(kHeader + 4 * (2 * qint64{words} - 1));
  if (!textEnd || !listEnd || kHeader + 8 * qint64{words} + *textEnd + *listEnd != index.bytes_->size())
    return std::nullopt;
  return index;
}

std::optional<uint32_t> MeaningIndex::ReadNumber(qint64 at) const {
  char bytes[4];
  if (!bytes_->Read(at, 4, bytes)) return std::nullopt;
  return qFromLittleEndian<uint32_t>(bytes);
}

std::optional<std::pair<uint32_t, uint32_t>> MeaningIndex::RangeOf(qint64 ends, uint32_t entry) const {
  const auto end = ReadNumber(ends + 4 * qint64{entry});
  const auto start = entry == 0 ? std::optional<uint32_t>(0) : ReadNumber(ends + 4 * (qint64{entry} - 1));
  if (!start || !end || *end < *start) return std::nullopt;
  return std::pair{*start, *end};
}

std::optional<uint32_t> MeaningIndex::Find(const std::string &word) const {
  const qint64 texts = kHeader + 8 * qint64{words_};
  const auto textOf = [&](uint32_t entry) -> std::optional<std::string> {
    const auto range = RangeOf(kHeader, entry);
    if (!range || range->second - range->first > kLongestWord) return std::nullopt;
    std::string text(range->second - range->first, '\0');
    if (!bytes_->Read(texts + range->first, static_cast<qint64>(text.size()), text.data())) return std::nullopt;
    return text;
  };
  uint32_t low = 0, high = words_;
  while (low < high) {
    const uint32_t middle = low + (high - low) / 2;
    const auto text = textOf(middle);
    if (!text) return std::nullopt;
    if (*text == word) return middle;
    if (*text < word)
      low = middle + 1;
    else
      high = middle;
  }
  return std::nullopt;
}

const MeaningIndex::Postings &MeaningIndex::Read(const std::string &word) const {
  const auto known = read_.find(word);
  if (known != read_.end()) return known->second;
  return read_.emplace(word, Decode(word)).first->second;
}

size_t MeaningIndex::LargestList() const { return kListSlack + rows_ * kListBytesPerRow; }

MeaningIndex::Postings MeaningIndex::Decode(const std::string &word) const {
  Postings postings;
  postings.firstPlace.push_back(0);
  const auto entry = Find(word);
  if (!entry) return postings;
  const auto textsSize = ReadNumber(kHeader + 4 * (qint64{words_} - 1));
  const auto range = RangeOf(kHeader + 4 * qint64{words_}, *entry);
  if (!textsSize || !range || range->second == range->first) return postings;
  QByteArray list(range->second - range->first, Qt::Uninitialized);
  if (!bytes_->Read(kHeader + 8 * qint64{words_} + *textsSize + range->first, list.size(), list.data()))
    return postings;
  if (list[0] == 1) {
    const auto unpacked = Unpack(QByteArrayView(list).sliced(1), LargestList());
    if (!unpacked) return postings;
    list = *unpacked;
  } else {
    list.remove(0, 1);
  }
  if (static_cast<size_t>(list.size()) > LargestList()) return postings;
  const char *at = list.constData(), *stop = at + list.size();
  // A row takes two bytes at least, and a place one; no word is in more
  // rows than the edition has.
  const size_t rows = std::min(rows_, static_cast<size_t>(list.size() / 2));
  postings.codes.reserve(rows);
  postings.firstPlace.reserve(rows + 1);
  postings.places.reserve(rows);
  unsigned long long code = 0;
  while (at < stop) {
    unsigned long long step = 0;
    if (!ReadVarint(at, stop, &step) || step == 0) return Postings{{}, {0}, {}};
    code += step;
    // Codes are list rows; one past the range of a row is damage.
    if (code > INT_MAX) return Postings{{}, {0}, {}};
    long long place = -1;
    for (unsigned long long placeStep = 0;;) {
      // A row's places end with a 0; a list that ends before it is damaged.
      if (!ReadVarint(at, stop, &placeStep)) return Postings{{}, {0}, {}};
      if (placeStep == 0) break;
      place += static_cast<long long>(placeStep);
      if (place > UINT32_MAX) return Postings{{}, {0}, {}};
      postings.places.push_back(static_cast<uint32_t>(place));
    }
    if (postings.places.size() == postings.firstPlace.back()) return Postings{{}, {0}, {}};  // a row of no places
    postings.codes.push_back(static_cast<long long>(code));
    postings.firstPlace.push_back(static_cast<uint32_t>(postings.places.size()));
  }
  return postings;
}

std::vector<long long> MeaningIndex::RowsWithPhrase(const std::vector<std::string> &words, size_t limit) const {
  std::vector<long long> rows;
  if (words.empty()) return rows;
  std::vector<const Postings *> lists;
  for (const std::string &word : words) {
    lists.push_back(&Read(word));
    if (lists.back()->codes.empty()) return rows;
  }
  // Led by the rarest word: a phrase of a common word and a rare one costs
  // what the rare one's rows cost, not the common one's.
  const size_t lead = static_cast<size_t>(
      std::min_element(lists.begin(), lists.end(),
                       [](const Postings *a, const Postings *b) { return a->codes.size() < b->codes.size(); }) -
      lists.begin());
  std::vector<size_t> cursor(lists.size(), 0);
  const Postings &leading = *lists[lead];
  for (size_t row = 0; row < leading.codes.size() && rows.size() < limit; ++row) {
    const long long code = leading.codes[row];
    cursor[lead] = row;
    bool inAll = true;
    for (size_t i = 0; i < lists.size() && inAll; ++i) {
      if (i == lead) continue;
      const std::vector<long long> &codes = lists[i]->codes;
      cursor[i] = static_cast<size_t>(
          std::lower_bound(codes.begin() + static_cast<ptrdiff_t>(cursor[i]), codes.end(), code) - codes.begin());
      inAll = cursor[i] < codes.size() && codes[cursor[i]] == code;
    }
    if (!inAll) continue;
    // A place of the leading word from which each other word stands as far
    // as it stands from it in the phrase.
    const auto placesOf = [&](size_t i, size_t at) {
      const Postings &list = *lists[i];
      return std::pair{list.places.begin() + list.firstPlace[at], list.places.begin() + list.firstPlace[at + 1]};
    };
    const auto [from, to] = placesOf(lead, row);
    const bool together = std::any_of(from, to, [&](uint32_t place) {
      if (place < lead) return false;
      const uint32_t start = place - static_cast<uint32_t>(lead);
      for (size_t i = 0; i < lists.size(); ++i) {
        if (i == lead) continue;
        const auto [begin, end] = placesOf(i, cursor[i]);
        if (!std::binary_search(begin, end, start + static_cast<uint32_t>(i))) return false;
      }
      return true;
    });
    if (together) rows.push_back(code);
  }
  return rows;
}

std::vector<long long> MeaningIndex::RowsWithEvery(const std::vector<std::vector<std::string>> &phrases,
                                                   size_t limit) const {
  // One phrase alone is cut short as it is read; more are cut when joined.
  if (phrases.size() == 1) return RowsWithPhrase(phrases[0], limit);
  std::vector<long long> rows;
  if (phrases.empty()) return rows;
  // A word's rows are read where the index keeps them; only a phrase of
  // several words has rows of its own to keep.
  std::vector<std::vector<long long>> kept;
  kept.reserve(phrases.size());
  std::vector<const std::vector<long long> *> lists;
  for (const std::vector<std::string> &phrase : phrases) {
    if (phrase.size() == 1) {
      lists.push_back(&Read(phrase.front()).codes);
    } else {
      kept.push_back(RowsWithPhrase(phrase));
      lists.push_back(&kept.back());
    }
    if (lists.back()->empty()) return rows;
  }
  // The rarest list leads; the others are searched forward from where the
  // last row was found in them.
  std::sort(lists.begin(), lists.end(), [](const auto *a, const auto *b) { return a->size() < b->size(); });
  std::vector<size_t> cursor(lists.size(), 0);
  for (const long long code : *lists.front()) {
    bool inAll = true;
    for (size_t i = 1; i < lists.size() && inAll; ++i) {
      const std::vector<long long> &codes = *lists[i];
      cursor[i] = static_cast<size_t>(
          std::lower_bound(codes.begin() + static_cast<ptrdiff_t>(cursor[i]), codes.end(), code) - codes.begin());
      inAll = cursor[i] < codes.size() && codes[cursor[i]] == code;
      if (cursor[i] == codes.size()) return rows;
    }
    if (!inAll) continue;
    rows.push_back(code);
    if (rows.size() >= limit) break;
  }
  return rows;
}

}  // namespace velmora
