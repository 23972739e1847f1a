#include "IdiomFinder.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <limits>

#include "Pinyin.h"

namespace velmora {

namespace {

const QByteArray kIndexMagic("VPX1");

void AppendNumber(QByteArray *out, quint32 value) {
  const quint32 little = qToLittleEndian(value);
  out->append(reinterpret_cast<const char *>(&little), sizeof little);
}

quint32 NumberAt(const QByteArray &bytes, qsizetype at) {
  quint32 value;
  std::memcpy(&value, bytes.constData() + at, sizeof value);
  return qFromLittleEndian(value);
}

}  // namespace

void PrefixIndex::Build(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const Entry &a, const Entry &b) { return a.key != b.key ? a.key < b.key : a.row < b.row; });
  count_ = entries.size();
  stored_ = kIndexMagic;
  AppendNumber(&stored_, static_cast<quint32>(count_));
  for (const Entry &entry : entries) AppendNumber(&stored_, static_cast<quint32>(entry.row));
  quint32 offset = 0;
  AppendNumber(&stored_, offset);
  for (const Entry &entry : entries) AppendNumber(&stored_, offset += static_cast<quint32>(entry.key.size()));
  for (const Entry &entry : entries) stored_.append(entry.key.data(), static_cast<qsizetype>(entry.key.size()));
  BuildBlockMinimums();
}

int PrefixIndex::RowAt(size_t i) const {
  return static_cast<int>(NumberAt(stored_, static_cast<qsizetype>(8 + 4 * i)));
}

uint32_t PrefixIndex::OffsetAt(size_t i) const {
  return NumberAt(stored_, static_cast<qsizetype>(8 + 4 * count_ + 4 * i));
}

std::string_view PrefixIndex::KeyAt(size_t i) const {
  const size_t text = 8 + 8 * count_ + 4;
  const uint32_t from = OffsetAt(i);
  return std::string_view(stored_.constData() + text + from, OffsetAt(i + 1) - from);
}

void PrefixIndex::BuildBlockMinimums() {
  blockMins_.assign((count_ + kBlock - 1) / kBlock, std::numeric_limits<int>::max());
  for (size_t i = 0; i < count_; ++i) blockMins_[i / kBlock] = std::min(blockMins_[i / kBlock], RowAt(i));
}

int PrefixIndex::MinRow(size_t begin, size_t end) const {
  int smallest = std::numeric_limits<int>::max();
  // The rows before the first whole block and after the last, one by one;
  // the whole blocks between by their minimums.
  for (; begin < end && begin % kBlock != 0; ++begin) smallest = std::min(smallest, RowAt(begin));
  for (; end > begin && end % kBlock != 0; --end) smallest = std::min(smallest, RowAt(end - 1));
  for (size_t block = begin / kBlock; block < end / kBlock; ++block) smallest = std::min(smallest, blockMins_[block]);
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
  const auto begins = [&](size_t i) { return KeyAt(i).substr(0, prefix.size()) == prefix; };
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

std::optional<PrefixIndex> PrefixIndex::FromBytes(const QByteArray &bytes) {
  if (!bytes.startsWith(kIndexMagic) || bytes.size() < 8) return std::nullopt;
  const quint64 n = NumberAt(bytes, 4);
  const quint64 header = 8 + 4 * n + 4 * (n + 1);
  if (header > static_cast<quint64>(bytes.size())) return std::nullopt;
  PrefixIndex index;
  index.stored_ = bytes;
  index.count_ = static_cast<size_t>(n);
  for (quint64 i = 0; i < n; ++i)
    if (NumberAt(bytes, static_cast<qsizetype>(8 + 4 * i)) > static_cast<quint32>(std::numeric_limits<int>::max()))
      return std::nullopt;
  const quint64 textSize = static_cast<quint64>(bytes.size()) - header;
  for (quint64 i = 0; i <= n; ++i) {
    const quint32 offset = index.OffsetAt(i);
    if (offset > textSize || (i > 0 && offset < index.OffsetAt(i - 1))) return std::nullopt;
  }
  if (index.OffsetAt(0) != 0 || index.OffsetAt(n) != textSize) return std::nullopt;
  for (quint64 i = 1; i < n; ++i)
    if (index.KeyAt(i) < index.KeyAt(i - 1)) return std::nullopt;
  index.BuildBlockMinimums();
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

std::optional<IdiomFinder> IdiomFinder::FromBytes(const Bytes &bytes) {
  auto text = PrefixIndex::FromBytes(bytes.text);
  auto pinyin = PrefixIndex::FromBytes(bytes.pinyin);
  auto initials = PrefixIndex::FromBytes(bytes.initials);
  if (!text || !pinyin || !initials) return std::nullopt;
  IdiomFinder finder;
  finder.byText_ = std::move(*text);
  finder.byPinyin_ = std::move(*pinyin);
  finder.byInitials_ = std::move(*initials);
  return finder;
}

}  // namespace velmora
