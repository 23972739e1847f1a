// Fuzz target: the pinyin conversions. Whatever the text, marking tones
// never grows a syllable by more than its tone digit gives back, the filing
// letter is one of A-Z or none, and initials and folded keys hold letters only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "dictionary/Pinyin.h"

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const QString marked = velmora::NumberedToToneMarks(text);
  (void)velmora::WithoutTones(marked);
  (void)velmora::PlainSyllables(marked);
  const QString letter = velmora::FilingLetter(marked);
  Require(letter.isEmpty() || (letter.size() == 1 && letter[0] >= u'A' && letter[0] <= u'Z'));
  for (const QChar c : velmora::SyllableInitials(text)) Require(c.isLetter());
  for (const QChar c : velmora::SearchFold(text)) Require(c.isLetterOrNumber());
  return 0;
}
