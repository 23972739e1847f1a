#pragma once
// The search list's find: the first row (in list order) whose idiom begins
// with the key; failing that, the first whose spelling begins with the key
// read as toneless pinyin ("yimadangxian", "yima"; "v" or "u" for "ü") or as
// syllable initials ("ymdx"). Case does not matter. Sorted prefix indexes
// with a minimum tree over their rows answer without walking the rows.
//
// The data builder stores the indexes in the edition (Serialize), so that the
// program loads them instead of folding every spelling at every start.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>
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
  size_t size() const { return rows_.size(); }

  QByteArray Serialize() const;
  // The index the bytes hold; nothing when they are not a well-formed one
  // (sorted keys, rows not negative).
  static std::optional<PrefixIndex> FromBytes(const QByteArray &bytes);

 private:
  std::string_view KeyAt(size_t i) const {
    return std::string_view(text_).substr(offsets_[i], offsets_[i + 1] - offsets_[i]);
  }
  void BuildTree();
  int MinRow(size_t begin, size_t end) const;

  // The keys in order, one after the other; key i is text_[offsets_[i],
  // offsets_[i + 1]). One buffer instead of a string each: a third of the
  // memory, and loading is a copy.
  std::string text_;
  std::vector<uint32_t> offsets_{0};
  std::vector<int> rows_;
  // A segment tree: leaves at [n, 2n) hold the rows in key order, each inner
  // node i the smaller row of its children 2i and 2i + 1.
  std::vector<int> minRows_;
};

class IdiomFinder {
 public:
  // Rows in list order: each idiom with its spelling ("; " between readings).
  void Build(const QStringList &idioms, const QStringList &spells);
  int Find(const QString &key) const;

  struct Bytes {
    QByteArray text, pinyin, initials;
  };
  Bytes Serialize() const;
  static std::optional<IdiomFinder> FromBytes(const Bytes &bytes);

 private:
  PrefixIndex byText_;
  PrefixIndex byPinyin_;
  PrefixIndex byInitials_;
};

}  // namespace velmora
