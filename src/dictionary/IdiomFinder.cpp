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
  text_.clear();
  offsets_.assign(1, 0);
  rows_.clear();
  offsets_.reserve(entries.size() + 1);
  rows_.reserve(entries.size());
  for (const Entry &entry : entries) {
    text_ += entry.key;
    offsets_.push_back(static_cast<uint32_t>(text_.size()));
    rows_.push_back(entry.row);
  }
  BuildTree();
}

void PrefixIndex::BuildTree() {
  const size_t n = rows_.size();
  minRows_.assign(2 * n, 0);
  std::copy(rows_.begin(), rows_.end(), minRows_.begin() + static_cast<std::ptrdiff_t>(n));
  for (size_t i = n - 1; i >= 1 && i < n; --i) minRows_[i] = std::min(minRows_[2 * i], minRows_[2 * i + 1]);
}

int PrefixIndex::MinRow(size_t begin, size_t end) const {
  int smallest = std::numeric_limits<int>::max();
  for (begin += rows_.size(), end += rows_.size(); begin < end; begin /= 2, end /= 2) {
    if (begin & 1) smallest = std::min(smallest, minRows_[begin++]);
    if (end & 1) smallest = std::min(smallest, minRows_[--end]);
  }
  return smallest;
}

int PrefixIndex::FirstRow(const std::string &prefix) const {
  if (prefix.empty() || rows_.empty()) return -1;
  size_t low = 0, high = rows_.size();
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
  for (size_t last = rows_.size(); end < last;) {
    const size_t middle = (end + last) / 2;
    if (begins(middle))
      end = middle + 1;
    else
      last = middle;
  }
  if (end == low) return -1;
  return MinRow(low, end);
}

QByteArray PrefixIndex::Serialize() const {
  QByteArray out = kIndexMagic;
  AppendNumber(&out, static_cast<quint32>(rows_.size()));
  for (const int row : rows_) AppendNumber(&out, static_cast<quint32>(row));
  for (const uint32_t offset : offsets_) AppendNumber(&out, offset);
  out.append(text_.data(), static_cast<qsizetype>(text_.size()));
  return out;
}

std::optional<PrefixIndex> PrefixIndex::FromBytes(const QByteArray &bytes) {
  if (!bytes.startsWith(kIndexMagic) || bytes.size() < 8) return std::nullopt;
  const quint64 n = NumberAt(bytes, 4);
  const quint64 header = 8 + 4 * n + 4 * (n + 1);
  if (header > static_cast<quint64>(bytes.size())) return std::nullopt;
  PrefixIndex index;
  index.rows_.resize(n);
  index.offsets_.resize(n + 1);
  for (quint64 i = 0; i < n; ++i) {
    const quint32 row = NumberAt(bytes, static_cast<qsizetype>(8 + 4 * i));
    if (row > static_cast<quint32>(std::numeric_limits<int>::max())) return std::nullopt;
    index.rows_[i] = static_cast<int>(row);
  }
  const quint64 textSize = static_cast<quint64>(bytes.size()) - header;
  for (quint64 i = 0; i <= n; ++i) {
    index.offsets_[i] = NumberAt(bytes, static_cast<qsizetype>(8 + 4 * n + 4 * i));
    if (index.offsets_[i] > textSize || (i > 0 && index.offsets_[i] < index.offsets_[i - 1])) return std::nullopt;
  }
  if (index.offsets_[0] != 0 || index.offsets_[n] != textSize) return std::nullopt;
  index.text_.assign(bytes.constData() + header, textSize);
  for (quint64 i = 1; i < n; ++i)
    if (index.KeyAt(i) < index.KeyAt(i - 1)) return std::nullopt;
  index.BuildTree();
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
