#include "IdiomFinder.h"

#include <algorithm>
#include <limits>

#include "dictionary/Pinyin.h"

namespace velmora {

void PrefixIndex::Build(std::vector<Entry> entries) {
  std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
    return a.key != b.key ? a.key < b.key : a.row < b.row;
  });
  const size_t n = entries.size();
  keys_.clear();
  keys_.reserve(n);
  minRows_.assign(2 * n, 0);
  for (size_t i = 0; i < n; ++i) {
    keys_.push_back(std::move(entries[i].key));
    minRows_[n + i] = entries[i].row;
  }
  for (size_t i = n - 1; i >= 1 && i < n; --i) minRows_[i] = std::min(minRows_[2 * i], minRows_[2 * i + 1]);
}

int PrefixIndex::MinRow(size_t begin, size_t end) const {
  int smallest = std::numeric_limits<int>::max();
  for (begin += keys_.size(), end += keys_.size(); begin < end; begin /= 2, end /= 2) {
    if (begin & 1) smallest = std::min(smallest, minRows_[begin++]);
    if (end & 1) smallest = std::min(smallest, minRows_[--end]);
  }
  return smallest;
}

int PrefixIndex::FirstRow(const std::string &prefix) const {
  if (prefix.empty() || keys_.empty()) return -1;
  const auto first = std::lower_bound(keys_.begin(), keys_.end(), prefix);
  const auto last = std::partition_point(first, keys_.end(),
                                         [&prefix](const std::string &key) { return key.compare(0, prefix.size(), prefix) == 0; });
  if (first == last) return -1;
  return MinRow(static_cast<size_t>(first - keys_.begin()), static_cast<size_t>(last - keys_.begin()));
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

}  // namespace velmora
