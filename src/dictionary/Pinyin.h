#pragma once
// Pinyin spellings: CC-CEDICT's tone numbers to tone marks, and the plain
// letter forms that filing and searching use.
#include <QString>
#include <QStringList>

namespace velmora {

// "yi1 ma3 dang1 xian1" -> "yī mǎ dāng xiān"; "nu:3" -> "nǚ"; tone 5 and
// syllables without a digit keep no mark. Tokens without letters (",") join
// the syllable before them.
QString NumberedToToneMarks(const QString &numbered);

// A syllable's tone from its mark: 1-4, or 5 without one.
int SyllableTone(const QString &syllable);
// The syllable with its mark changed to the tone (1-4; 5 leaves it bare):
// ("huà", 2) -> "huá".
QString WithTone(const QString &syllable, int tone);
// The first of a spelling's readings ("a; b" -> "a"), without blanks around it.
QString FirstReading(const QString &spell);
// The syllables without tone marks, lower case, "ü" kept: "yī mǎ" -> "yi ma".
QString WithoutTones(const QString &spell);

// The syllables of a spelling that begin with a letter, tones removed, lower
// case.
QStringList PlainSyllables(const QString &spell);

// The upper-case letter A-Z that begins the first syllable; empty if none.
QString FilingLetter(const QString &spell);

// The upper-case first letters of all syllables: "yī mǎ dāng xiān" -> "YMDX".
QString SyllableInitials(const QString &spell);

// The text a search compares: letters only, lower case, "ü" and "v" as "u".
QString SearchFold(const QString &text);

}  // namespace velmora
