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

}  // namespace

std::string CompactReading(const QString &spell) {
  std::string compact;
  for (const QString &syllable : spell.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    std::vector<Letter> letters;
    if (!ReadLetters(syllable, false, &letters) || letters.empty()) continue;
    int tone = 0;
    if (!compact.empty()) compact += ' ';
    for (const Letter &l : letters) {
      compact += l.letter;
      if (l.tone) tone = l.tone;
    }
    compact += static_cast<char>('0' + tone);
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
