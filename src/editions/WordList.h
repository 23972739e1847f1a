#pragma once
// A word list with counts and parts of speech, as the jieba dictionary
// (dict.txt: "word count tag" a line) gives them: how common each word is,
// and which words it takes for idioms (tag "i"). Only words of four
// characters or more are kept: no idiom is shorter.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

namespace velmora::editions {

class WordList {
 public:
  // Lines of another shape are read past; an empty list reads as none.
  static WordList Parse(const QByteArray &text);
  // The word's count; nothing when the list does not hold it.
  std::optional<long long> CountOf(const QString &word) const;
  // True when the list tags the word as an idiom.
  bool IsIdiom(const QString &word) const;
  qsizetype size() const { return words_.size(); }

 private:
  struct Entry {
    long long count = 0;
    bool idiom = false;
  };
  QHash<QString, Entry> words_;
};

}  // namespace velmora::editions
