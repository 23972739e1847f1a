#pragma once
// The order of idioms a Chinese reader expects, without a collator: the
// characters U+3400..U+9FFF in pinyin order (their places in ICU's "zh"
// order, written into a table when the program is built), every other
// character by its code point, full-width letters, digits and signs as their
// half-width forms; a text before a longer one it begins; ties by the UTF-8
// bytes, so that distinct texts never compare equal.
#include <string>
#include <string_view>

namespace velmora {

inline constexpr char32_t kZhOrderFirst = 0x3400;
inline constexpr char32_t kZhOrderEnd = 0xA000;

// Negative, zero or positive as UTF-8 text a sorts before, with or after b.
int CompareZhOrder(std::string_view a, std::string_view b);
// The weights the order compares first, a character each: a key that sorts
// as the text does up to ties (which the bytes break).
std::u32string ZhOrderWeights(std::string_view utf8);

}  // namespace velmora
