#pragma once
// The search list's find: the first row (in list order) whose idiom begins
// with the key; failing that, the first whose spelling begins with the key
// read as toneless pinyin ("yimadangxian", "yima"; "v" or "u" for "ü") or as
// syllable initials ("ymdx"). Case does not matter. Sorted prefix indexes
// with the minimum row of each block of keys answer without walking the rows.
//
// The data builder stores the indexes in the edition (Serialize), so that the
// program loads them instead of folding every spelling at every start.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/ByteSource.h"

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
  size_t size() const { return count_; }

  QByteArray Serialize() const;
  // The index the bytes hold; nothing when they are not a well-formed one
  // (sorted keys, rows not negative). It keeps the bytes, not a copy.
  static std::optional<PrefixIndex> FromBytes(const QByteArray &bytes);
  // The index read from the source a range at a time, as a search needs
  // it; nothing when its frame is not well formed (its size, the ends of
  // its keys, rows not negative). The order of the keys is not read
  // through: out of order they find wrongly, but never out of bounds.
  static std::optional<PrefixIndex> FromSource(std::shared_ptr<const ByteSource> source);

 private:
  // The index lives in its stored form, which is read in place: "VPX1",
  // the count n, n rows in key order, n + 1 offsets of the keys, then the
  // keys one after the other (key i is text[offset i, offset i + 1)). So
  // loading an edition's index copies nothing, and it can stay in the file.
  bool ReadRows(size_t from, size_t n, quint32 *into) const;
  uint32_t NumberAt(qint64 at) const;
  uint32_t OffsetAt(size_t i) const;
  std::string KeyAt(size_t i) const;
  bool BuildBlockMinimums();
  int MinRow(size_t begin, size_t end) const;

  std::shared_ptr<const ByteSource> stored_;
  size_t count_ = 0;
  qint64 textAt_ = 0, textSize_ = 0;
  // The smallest row of each block of kBlock keys: a range's minimum is read
  // from its whole blocks and the few rows at its ends (a whole-tree index
  // would take two rows' room per key, megabytes at 200,000 idioms).
  static constexpr size_t kBlock = 64;
  std::vector<int> blockMins_;
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
  struct Sources {
    std::shared_ptr<const ByteSource> text, pinyin, initials;
  };
  static std::optional<IdiomFinder> FromSources(const Sources &sources);

 private:
  static std::optional<IdiomFinder> Assemble(std::optional<PrefixIndex> text, std::optional<PrefixIndex> pinyin,
                                             std::optional<PrefixIndex> initials);
  PrefixIndex byText_;
  PrefixIndex byPinyin_;
  PrefixIndex byInitials_;
};

}  // namespace velmora
