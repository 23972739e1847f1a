#pragma once
// Search by meaning: the words of the explanations, derivations and examples,
// through the word index the data builder stores in an edition
// (MeaningIndex.h), or the full-text table (SQLite FTS4) of editions made
// before it, which finds the same rows. Their tokenizer keeps a run of Han
// characters as one word, so both the stored text and the key make every
// Han character a word of its own.
#include <QString>
#include <QStringList>
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

// The list rows whose texts hold the key's words: those holding them as a
// phrase first, then those holding them all; in list order within each.
// Empty when the edition has no full-text table or the key no words.
std::vector<int> RowsMatchingMeaning(const QString &key, int limit = 200);

}  // namespace velmora
