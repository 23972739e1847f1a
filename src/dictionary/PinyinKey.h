#pragma once
// Pinyin as people type it, against the readings of an idiom: with tone marks
// ("yī shí"), tone numbers ("yi1shi2", "hua4 long2") or no tones, with or
// without blanks and apostrophes, "v", "u:" and "ü" alike, the last syllable
// cut short ("huashet"). A reading is kept compact as "hua4 long2 dian3
// jing1" (letters, "v" for "ü", the tone 1-4 or 0 for the neutral tone).
#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A reading of the data in the compact form; syllables without a letter
// (punctuation) are left out.
std::string CompactReading(const QString &spell);

class PinyinKey {
 public:
  // Nothing to match when the key holds anything but letters, tone marks,
  // tone digits, blanks and apostrophes.
  explicit PinyinKey(const QString &key);
  bool IsValid() const { return !items_.empty(); }
  // The key's letters only: what initials and wildcards compare.
  const std::string &Letters() const { return letters_; }
  // True when the key runs through the reading's syllables from the first,
  // each whole, but the last, which may stop short; tones given must agree.
  bool MatchesReading(std::string_view compact) const;
  // The same from a later syllable of the reading: "dianjing" in "hua4
  // long2 dian3 jing1".
  bool MatchesInsideReading(std::string_view compact) const;

 private:
  struct Item {
    char letter;  // 0 for a tone digit
    int tone;     // the tone a mark or digit asks for; 0 when none (5 for neutral)
  };
  std::vector<Item> items_;
  std::string letters_;
};

}  // namespace velmora
