#pragma once
// The search list's find: the first row (in list order) whose idiom begins
// with the key; failing that, the first whose spelling begins with the key
// read as toneless pinyin ("yimadangxian", "yima"; "v" or "u" for "ü") or as
// syllable initials ("ymdx"). Case does not matter. Sorted prefix indexes
// with a range-minimum table answer without walking the rows.
#include <QString>
#include <QStringList>
#include <vector>

namespace velmora {

class PrefixIndex {
 public:
  struct Entry {
    QString key;
    int row;
  };
  void Build(std::vector<Entry> entries);
  // The smallest row whose key begins with the prefix; -1 when none does.
  int FirstRow(const QString &prefix) const;
  size_t size() const { return keys_.size(); }

 private:
  int MinRow(size_t begin, size_t end) const;

  std::vector<QString> keys_;
  std::vector<std::vector<int>> minRows_;  // level k: minimum of 2^k rows
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
