#include "ZhOrder.h"

#include <QChar>
#include <cstdint>

namespace velmora {

namespace {

#include "ZhPinyinPlaces.inc"

static_assert(sizeof(kPinyinPlace) / sizeof(kPinyinPlace[0]) == kZhOrderEnd - kZhOrderFirst);

// A byte that starts no character, or one cut short, weighs after every code
// point, so that damaged text sorts at the end and the order stays total.
constexpr char32_t kStrayByte = 0x110000;

// The next character of the text, moving `at` past it.
char32_t NextCharacter(std::string_view text, size_t *at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(*at);
  const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || *at + length > text.size()) {
    ++*at;
    return kStrayByte + lead;
  }
  char32_t character = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char next = byte(*at + i);
    if ((next & 0xC0) != 0x80) {
      ++*at;
      return kStrayByte + lead;
    }
    character = (character << 6) | (next & 0x3F);
  }
  *at += length;
  return character;
}

// As ICU's "zh" collator: signs, punctuation and digits, then the Chinese
// characters, then the letters of other scripts.
constexpr char32_t kSigns = 0, kChinese = 1 << 21, kLetters = 2 << 21;

char32_t Weight(char32_t character) {
  if (character >= kZhOrderFirst && character < kZhOrderEnd) return kChinese + kPinyinPlace[character - kZhOrderFirst];
  // "，" sorts as "," and "Ａ" as "A".
  if (character >= 0xFF01 && character <= 0xFF5E) character -= 0xFEE0;
  if (character >= 0x110000) return kLetters + character;
  const QChar::Category category = QChar::category(character);
  if (category < QChar::Letter_Uppercase) return kSigns + character;  // marks, numbers, separators, controls
  if (category > QChar::Letter_Other) return kSigns + character;      // punctuation and symbols
  // Chinese characters the table does not hold, after those it does.
  if (QChar::script(character) == QChar::Script_Han) return kChinese + (kZhOrderEnd - kZhOrderFirst) + character;
  // Letters a case apart are one letter here; the bytes order them after.
  return kLetters + QChar::toLower(character);
}

}  // namespace

int CompareZhOrder(std::string_view a, std::string_view b) {
  size_t atA = 0, atB = 0;
  while (atA < a.size() && atB < b.size()) {
    const char32_t weightA = Weight(NextCharacter(a, &atA));
    const char32_t weightB = Weight(NextCharacter(b, &atB));
    if (weightA != weightB) return weightA < weightB ? -1 : 1;
  }
  if (atA < a.size() || atB < b.size()) return atA < a.size() ? 1 : -1;
  const int bytes = a.compare(b);
  return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

std::u32string ZhOrderWeights(std::string_view utf8) {
  std::u32string weights;
  for (size_t at = 0; at < utf8.size();) weights += Weight(NextCharacter(utf8, &at));
  return weights;
}

}  // namespace velmora
