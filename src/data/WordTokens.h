#pragma once
// The words of a text as the full-text search of SQLite finds them: its own
// "unicode61" tokenizer (letters and digits, folded to lower case, marks
// taken off), taken from the engine through fts3_tokenizer() and called
// directly, so that an edition's word index and a search key split their
// texts exactly as a full-text table would.
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "SqlConnection.h"

namespace velmora {

struct WordToken {
  std::string text;  // UTF-8, folded
  int position;      // counted in words from the text's start
};

class WordTokenizer {
 public:
  // Nothing when the engine has no such tokenizer (no full-text search).
  static std::unique_ptr<WordTokenizer> On(const SqlConnection &connection);
  ~WordTokenizer();
  WordTokenizer(const WordTokenizer &) = delete;
  WordTokenizer &operator=(const WordTokenizer &) = delete;

  std::vector<WordToken> Tokens(const QString &text) const;
  // Each word handed on as it is found, valid only during the call.
  void ForEachToken(const QString &text, const std::function<void(std::string_view word, int position)> &take) const;

 private:
  struct Engine;
  explicit WordTokenizer(std::unique_ptr<Engine> engine);
  std::unique_ptr<Engine> engine_;
};

}  // namespace velmora
