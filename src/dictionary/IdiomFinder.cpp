#include "IdiomFinder.h"

#include <QtEndian>
#include <algorithm>
#include <limits>

#include "Pinyin.h"

namespace velmora {

namespace {

const QByteArray kIndexMagic("VPX1");

void AppendNumber(QByteArray *out, quint32 value) {
  const quint32 little = qToLittleEndian(value);
  out->append(reinterpret_cast<const char *>(&little), sizeof little);
}

}  // namespace

void PrefixIndex::Build(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const Entry &a, const Entry &b) { return a.key != b.key ? a.key < b.key : a.row < b.row; });
  QByteArray stored = kIndexMagic;
  AppendNumber(&stored, static_cast<quint32>(entries.size()));
  for (const Entry &entry : entries) AppendNumber(&stored, static_cast<quint32>(entry.row));
  quint32 offset = 0;
  AppendNumber(&stored, offset);
  for (const Entry &entry : entries) AppendNumber(&stored, offset += static_cast<quint32>(entry.key.size()));
  for (const Entry &entry : entries) stored.append(entry.key.data(), static_cast<qsizetype>(entry.key.size()));
  *this = *FromSource(std::make_shared<MemoryBytes>(std::move(stored)));
}

QByteArray PrefixIndex::Serialize() const {
  if (!stored_) return {};
  QByteArray bytes(stored_->size(), Qt::Uninitialized);
  if (!stored_->Read(0, bytes.size(), bytes.data())) return {};
  return bytes;
}

// A number that cannot be read is 0: a search then finds wrongly, never
// out of bounds.
uint32_t PrefixIndex::NumberAt(qint64 at) const {
  quint32 value = 0;
  if (!stored_->Read(at, sizeof value, reinterpret_cast<char *>(&value))) return 0;
  return qFromLittleEndian(value);
}

// Rows from the i-th on, as stored (little-endian).
bool PrefixIndex::ReadRows(size_t from, size_t n, quint32 *into) const {
  return stored_->Read(static_cast<qint64>(8 + 4 * from), static_cast<qint64>(4 * n), reinterpret_cast<char *>(into));
}

uint32_t PrefixIndex::OffsetAt(size_t i) const { return NumberAt(static_cast<qint64>(8 + 4 * count_ + 4 * i)); }

std::string PrefixIndex::KeyAt(size_t i) const {
  quint32 ends[2];
  if (!stored_->Read(static_cast<qint64>(8 + 4 * count_ + 4 * i), sizeof ends, reinterpret_cast<char *>(ends)))
    return {};
  const qint64 from = qFromLittleEndian(ends[0]), to = qFromLittleEndian(ends[1]);
  if (from > to || to > textSize_) return {};
  std::string key(static_cast<size_t>(to - from), '\0');
  if (!stored_->Read(textAt_ + from, to - from, key.data())) return {};
  return key;
}

// Also tells whether the rows are all not negative: it reads them all.
bool PrefixIndex::BuildBlockMinimums() {
  blockMins_.assign((count_ + kBlock - 1) / kBlock, std::numeric_limits<int>::max());
  // A piece at a time: the rows of a stored index stay in the file.
  constexpr size_t kPiece = 16 * 1024;
  std::vector<quint32> rows(std::min(count_, kPiece));
  for (size_t first = 0; first < count_; first += kPiece) {
    const size_t n = std::min(kPiece, count_ - first);
    if (!ReadRows(first, n, rows.data())) return false;
    for (size_t k = 0; k < n; ++k) {
      const quint32 row = qFromLittleEndian(rows[k]);
      if (row > static_cast<quint32>(std::numeric_limits<int>::max())) return false;
      int &least = blockMins_[(first + k) / kBlock];
      least = std::min(least, static_cast<int>(row));
    }
  }
  return true;
}

int PrefixIndex::MinRow(size_t begin, size_t end) const {
  int smallest = std::numeric_limits<int>::max();
  // The rows before the first whole block and after the last, each run in
  // one read; the whole blocks between by their minimums.
  const auto leastOfRun = [&](size_t from, size_t to) {
    quint32 rows[kBlock];
    if (from >= to || !ReadRows(from, to - from, rows)) return;
    for (size_t k = 0; k < to - from; ++k) smallest = std::min(smallest, static_cast<int>(qFromLittleEndian(rows[k])));
  };
  const size_t firstWhole = std::min(end, (begin + kBlock - 1) / kBlock * kBlock);
  leastOfRun(begin, firstWhole);
  const size_t lastWhole = std::max(firstWhole, end / kBlock * kBlock);
  leastOfRun(lastWhole, end);
  for (size_t block = firstWhole / kBlock; block < lastWhole / kBlock; ++block)
    smallest = std::min(smallest, blockMins_[block]);
  return smallest;
}

int PrefixIndex::FirstRow(const std::string &prefix) const {
  if (prefix.empty() || count_ == 0) return -1;
  size_t low = 0, high = count_;
  while (low < high) {  // the first key not below the prefix
    const size_t middle = (low + high) / 2;
    if (KeyAt(middle) < prefix)
      low = middle + 1;
    else
      high = middle;
  }
  // The keys that begin with the prefix follow it in one run.
  const auto begins = [&](size_t i) { return KeyAt(i).compare(0, prefix.size(), prefix) == 0; };
  size_t end = low;
  for (size_t last = count_; end < last;) {
    const size_t middle = (end + last) / 2;
    if (begins(middle))
      end = middle + 1;
    else
      last = middle;
  }
  if (end == low) return -1;
  return MinRow(low, end);
}

std::optional<PrefixIndex> PrefixIndex::FromSource(std::shared_ptr<const ByteSource> source) {
  char magic[4];
  if (!source || source->size() < 8 || !source->Read(0, 4, magic) || QByteArray(magic, 4) != kIndexMagic)
    return std::nullopt;
  PrefixIndex index;
  index.stored_ = std::move(source);
  const quint64 n = index.NumberAt(4);
  const quint64 header = 8 + 4 * n + 4 * (n + 1);
  if (header > static_cast<quint64>(index.stored_->size())) return std::nullopt;
  index.count_ = static_cast<size_t>(n);
  index.textAt_ = static_cast<qint64>(header);
  index.textSize_ = index.stored_->size() - index.textAt_;
  if (index.OffsetAt(0) != 0 || index.OffsetAt(n) != static_cast<quint64>(index.textSize_)) return std::nullopt;
  if (!index.BuildBlockMinimums()) return std::nullopt;
  return index;
}

std::optional<PrefixIndex> PrefixIndex::FromBytes(const QByteArray &bytes) {
  auto index = FromSource(std::make_shared<MemoryBytes>(bytes));
  if (!index) return std::nullopt;
  // Held in memory, the keys are read through: ends in order, keys sorted.
  for (size_t i = 0; i < index->count_; ++i)
    if (index->OffsetAt(i + 1) < index->OffsetAt(i)) return std::nullopt;
  for (size_t i = 1; i < index->count_; ++i)
    if (index->KeyAt(i) < index->KeyAt(i - 1)) return std::nullopt;
  return index;
}

void IdiomFinder::Build(const QStringList &idioms, const QStringList &spells) {
  std::vector<PrefixIndex::Entry> text, pinyin, initials;
  text.reserve(static_cast<size_t>(idioms.size()));
  for (int row = 0; row < idioms.size(); ++row) {
    text.push_back({idioms[row].toCaseFolded().toStdString(), row});
    const QString spell = row < spells.size() ? spells[row] : QString();
    for (const QString &reading : spell.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
      pinyin.push_back({SearchFold(reading).toStdString(), row});
      initials.push_back({SyllableInitials(reading).toLower().toStdString(), row});
    }
  }
  byText_.Build(std::move(text));
  byPinyin_.Build(std::move(pinyin));
  byInitials_.Build(std::move(initials));
}

int IdiomFinder::Find(const QString &key) const {
  const int byText = byText_.FirstRow(key.toCaseFolded().toStdString());
  if (byText >= 0) return byText;
  const std::string folded = SearchFold(key).toStdString();
  const int a = byPinyin_.FirstRow(folded);
  const int b = byInitials_.FirstRow(folded);
  if (a < 0) return b;
  if (b < 0) return a;
  return std::min(a, b);
}

IdiomFinder::Bytes IdiomFinder::Serialize() const {
  return {byText_.Serialize(), byPinyin_.Serialize(), byInitials_.Serialize()};
}

std::optional<IdiomFinder> IdiomFinder::Assemble(std::optional<PrefixIndex> text, std::optional<PrefixIndex> pinyin,
                                                 std::optional<PrefixIndex> initials) {
  if (!text || !pinyin || !initials) return std::nullopt;
  IdiomFinder finder;
  finder.byText_ = std::move(*text);
  finder.byPinyin_ = std::move(*pinyin);
  finder.byInitials_ = std::move(*initials);
  return finder;
}

std::optional<IdiomFinder> IdiomFinder::FromBytes(const Bytes &bytes) {
  return Assemble(PrefixIndex::FromBytes(bytes.text), PrefixIndex::FromBytes(bytes.pinyin),
                  PrefixIndex::FromBytes(bytes.initials));
}

std::optional<IdiomFinder> IdiomFinder::FromSources(const Sources &sources) {
  return Assemble(PrefixIndex::FromSource(sources.text), PrefixIndex::FromSource(sources.pinyin),
                  PrefixIndex::FromSource(sources.initials));
}

}  // namespace velmora
