#include "PinyinKey.h"

#include <QStringList>

namespace velmora {

namespace {

// The tone of a combining mark in decomposed text: macron, acute, caron,
// grave; 0 for any other character.
int ToneOfMark(char16_t mark) {
  switch (mark) {
    case 0x0304: return 1;
    case 0x0301: return 2;
    case 0x030C: return 3;
    case 0x0300: return 4;
    default: return 0;
  }
}

struct Letter {
  char letter;
  int tone;
};

// The letters of a text with the tone each carries, "ü" as "v"; false when
// the text holds anything else but blanks and apostrophes (and, when
// digits is true, tone digits, returned as letter 0).
bool ReadLetters(const QString &text, bool digits, std::vector<Letter> *out) {
  const QString decomposed = text.normalized(QString::NormalizationForm_D).toLower();
  for (qsizetype i = 0; i < decomposed.size(); ++i) {
    const char16_t c = decomposed[i].unicode();
    if (c == u' ' || c == u'\'' || c == u'\u2019') continue;
    if (c == 0x0308) {  // the diaeresis of ü
      if (!out->empty() && out->back().letter == 'u') out->back().letter = 'v';
      continue;
    }
    if (const int tone = ToneOfMark(c)) {
      if (out->empty() || out->back().letter == 0) return false;
      out->back().tone = tone;
      continue;
    }
    if (c == u':' && !out->empty() && out->back().letter == 'u') {
      out->back().letter = 'v';
      continue;
    }
    if (c >= u'a' && c <= u'z') {
      out->push_back({static_cast<char>(c), 0});
      continue;
    }
    if (digits && c >= u'0' && c <= u'5') {
      out->push_back({0, c == u'0' ? 5 : c - u'0'});
      continue;
    }
    return false;
  }
  return true;
}

// The letter and tone of a character of a reading as the data writes it:
// a small letter, a vowel with its tone mark or "ü" ("v"). Letter 0 for
// anything else, which ReadLetters reads.
Letter PlainLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return {static_cast<char>(c), 0};
  switch (c) {
    case u'ā': return {'a', 1};
    case u'á': return {'a', 2};
    case u'ǎ': return {'a', 3};
    case u'à': return {'a', 4};
    case u'ē': return {'e', 1};
    case u'é': return {'e', 2};
    case u'ě': return {'e', 3};
    case u'è': return {'e', 4};
    case u'ī': return {'i', 1};
    case u'í': return {'i', 2};
    case u'ǐ': return {'i', 3};
    case u'ì': return {'i', 4};
    case u'ō': return {'o', 1};
    case u'ó': return {'o', 2};
    case u'ǒ': return {'o', 3};
    case u'ò': return {'o', 4};
    case u'ū': return {'u', 1};
    case u'ú': return {'u', 2};
    case u'ǔ': return {'u', 3};
    case u'ù': return {'u', 4};
    case u'ü': return {'v', 0};
    case u'ǖ': return {'v', 1};
    case u'ǘ': return {'v', 2};
    case u'ǚ': return {'v', 3};
    case u'ǜ': return {'v', 4};
    default: return {0, 0};
  }
}

// One syllable in the compact form ("hua4") appended to compact, with a
// blank before it when compact is not empty; nothing for a syllable without
// letters or with anything else.
void AppendSyllable(QStringView syllable, std::string *compact) {
  const size_t before = compact->size();
  if (before > 0) *compact += ' ';
  const size_t lettersAt = compact->size();
  int tone = 0;
  bool plain = true;
  for (const QChar qc : syllable) {
    const char16_t c = qc.unicode();
    if (c == u'\'' || c == u'\u2019') continue;
    const Letter letter = PlainLetter(c);
    if (letter.letter == 0) {
      plain = false;
      break;
    }
    *compact += letter.letter;
    if (letter.tone) tone = letter.tone;
  }
  if (!plain) {
    // Capitals, separate tone marks, "u:": normalized and read a letter at
    // a time (a tenth of the speed, and rare in the data).
    compact->resize(lettersAt);
    std::vector<Letter> letters;
    if (ReadLetters(syllable.toString(), false, &letters))
      for (const Letter &l : letters) {
        *compact += l.letter;
        if (l.tone) tone = l.tone;
      }
  }
  if (compact->size() == lettersAt) return compact->resize(before);
  *compact += static_cast<char>('0' + tone);
}

}  // namespace

std::string CompactReading(const QString &spell) {
  // Every idiom's readings pass here when the search is made at each
  // start: the syllables are read in place, without a copy each.
  std::string compact;
  compact.reserve(static_cast<size_t>(spell.size()) + 4);
  const QStringView text(spell);
  qsizetype at = 0;
  while (at < text.size()) {
    qsizetype end = text.indexOf(QLatin1Char(' '), at);
    if (end < 0) end = text.size();
    if (end > at) AppendSyllable(text.mid(at, end - at), &compact);
    at = end + 1;
  }
  return compact;
}

PinyinKey::PinyinKey(const QString &key) {
  std::vector<Letter> letters;
  if (!ReadLetters(key, true, &letters)) return;
  for (const Letter &l : letters) {
    items_.push_back({l.letter, l.tone});
    if (l.letter) letters_ += l.letter;
  }
  if (letters_.empty()) items_.clear();
}

bool PinyinKey::MatchesReading(std::string_view compact) const {
  // A reading given without any tones (some data sets have them) is matched
  // by a key with any: asked only when a tone differs, off the common path.
  const auto toneless = [compact] { return compact.find_first_of("1234") == std::string_view::npos; };
  size_t i = 0;  // in the key
  size_t at = 0;
  while (at < compact.size()) {
    size_t end = compact.find(' ', at);
    if (end == std::string_view::npos) end = compact.size();
    const int tone = compact[end - 1] - '0';
    const int askedTone = tone == 0 ? 5 : tone;
    for (size_t j = at; j + 1 < end; ++j) {  // the syllable's letters
      if (i == items_.size()) return true;   // the key stops inside it
      const Item &item = items_[i];
      if (item.letter != compact[j]) return false;
      if (item.tone && item.tone != askedTone && !toneless()) return false;
      ++i;
    }
    if (i < items_.size() && items_[i].letter == 0) {
      if (items_[i].tone != askedTone && !toneless()) return false;
      ++i;
    }
    if (i == items_.size()) return true;
    at = end + 1;
  }
  return false;
}

bool PinyinKey::MatchesInsideReading(std::string_view compact) const {
  for (size_t blank = compact.find(' '); blank != std::string_view::npos; blank = compact.find(' ', blank + 1))
    if (MatchesReading(compact.substr(blank + 1))) return true;
  return false;
}

}  // namespace velmora
