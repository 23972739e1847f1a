#pragma once
// The search list's find: the first row (in list order) whose idiom begins
// with the key; failing that, the first whose spelling begins with the key
// read as toneless pinyin ("yimadangxian", "yima"; "v" or "u" for "ü") or as
// syllable initials ("ymdx"). Case does not matter. Sorted prefix indexes
// with a minimum tree over their rows answer without walking the rows.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace velmora {

class PrefixIndex {
 public:
  // Keys are UTF-8: compact, and ordered as their characters are.
  struct Entry {
    std::string key;
    int row;
  };
  void Build(std::vector<Entry> entries);
  // The smallest row whose key begins with the prefix; -1 when none does.
  int FirstRow(const std::string &prefix) const;
  size_t size() const { return keys_.size(); }

 private:
  int MinRow(size_t begin, size_t end) const;

  std::vector<std::string> keys_;
  // A segment tree: leaves at [n, 2n) hold the rows in key order, each inner
  // node i the smaller row of its children 2i and 2i + 1.
  std::vector<int> minRows_;
};

class IdiomFinder {
 public:
  // Rows in list order: each idiom with its spelling ("; " between readings).
  void Build(const QStringList &idioms, const QStringList &spells);
  int Find(const QString &key) const;

 private:
  PrefixIndex byText_;
  PrefixIndex byPinyin_;
  PrefixIndex byInitials_;
};

}  // namespace velmora
