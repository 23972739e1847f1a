// Fuzz target: the flashcard export's escaping. Whatever the text, a field
// holds no tab or line break and never starts with "#", so every card is one
// line that Anki takes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "dictionary/FlashcardDeck.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const QString field = velmora::FlashcardField(text);
  for (const QChar c : {QChar(u'\t'), QChar(u'\n'), QChar(u'\r')}) Require(!field.contains(c));
  Require(!field.startsWith(QLatin1Char('#')));
  velmora::IdiomRecord record;
  record.idiom = text;
  record.note = text;
  const QByteArray deck = velmora::FlashcardDeck({record});
  Require(deck.count('\n') == 4);  // three header lines and the card
  return 0;
}
