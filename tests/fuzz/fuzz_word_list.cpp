// Fuzz target: the word list (jieba's dict.txt). Whatever the bytes, it
// keeps only words of four characters or more, each with a count.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "editions/WordList.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const velmora::editions::WordList words = velmora::editions::WordList::Parse(bytes);
  Require(words.size() <= bytes.count('\n') + 1);
  for (const QByteArray &line : bytes.split('\n')) {
    const QString word = QString::fromUtf8(line.left(line.indexOf(' ')));
    if (word.size() < 2) Require(!words.CountOf(word).has_value());
  }
  return 0;
}
