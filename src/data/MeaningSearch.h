#pragma once
// Search by meaning: the words of the explanations, derivations and examples,
// through the word index the data builder stores in an edition
// (MeaningIndex.h), or the full-text table (SQLite FTS4) of editions made
// before it, which finds the same rows. Their tokenizer keeps a run of Han
// characters as one word, so both the stored text and the key make every
// Han character a word of its own.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace velmora {

// The text as the full-text table holds it: Han characters set apart.
QString FullTextBody(const QString &text);

// An idiom's texts as its meaning is searched: explanation, derivation and
// example on lines of their own, Han characters set apart.
QString MeaningText(const std::optional<QString> &note, const std::optional<QString> &source,
                    const std::optional<QString> &example);

// Keys are cut to this many characters: no meaning is longer.
inline constexpr int kLongestMeaningKey = 200;

// The key's words: its runs of letters and digits, each Han character a
// word of its own.
QStringList MeaningWords(const QString &key);

// The full-text queries for a key: its words as a phrase, then its words
// anywhere, each word a quoted term; none when the key has no words.
QStringList MeaningQueries(const QString &key);

class MeaningIndex;
class SqlConnection;
class WordTokenizer;

// The meaning search of one edition, opened once: its word index and the
// tokenizer that splits keys as the index was split, or its full-text table.
class MeaningSearch {
 public:
  // Nothing when there is no connection; a search that finds nothing when
  // the edition has neither an index nor a table.
  static std::unique_ptr<MeaningSearch> Open(std::shared_ptr<SqlConnection> connection);
  ~MeaningSearch();
  MeaningSearch(const MeaningSearch &) = delete;
  MeaningSearch &operator=(const MeaningSearch &) = delete;

  // The list rows whose texts hold the key's words: those holding them as
  // a phrase first, then those holding them all; in list order within each.
  std::vector<int> Rows(const QString &key, int limit = 200) const;

 private:
  explicit MeaningSearch(std::shared_ptr<SqlConnection> connection);
  std::vector<std::vector<long long>> FoundInWordIndex(const QStringList &words, int limit) const;
  // Declared first: the index and the tokenizer read through it.
  std::shared_ptr<SqlConnection> connection_;
  std::unique_ptr<MeaningIndex> index_;
  std::unique_ptr<WordTokenizer> tokenizer_;
  bool fullText_ = false;
};

// The same over the dictionary's connection, opened for this search alone.
std::vector<int> RowsMatchingMeaning(const QString &key, int limit = 200);

}  // namespace velmora
