#pragma once
// A word list with counts and parts of speech, as the jieba dictionary
// (dict.txt: "word count tag" a line) gives them: how common each word is,
// and which words it takes for idioms (tag "i"). Only words of four
// characters or more are kept: no idiom is shorter.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <string_view>

namespace velmora::editions {

// Characters of UTF-8 text: its bytes that do not continue a character.
// The lists are read as bytes, and most of their words are shorter than an
// idiom: this tells which to convert at all.
int Utf8Characters(std::string_view text);

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
