#pragma once
// CC-CEDICT's notation made readable for a learner, in the interface
// language: "CL:幅[fu2],張|张[zhang1]" as "量词：幅 fú、张 zhāng", "variant of
// 劃|划[hua4]" as "同“划”huà", "also pr. [yao1]" as "又读 yāo", and any other
// "繁|简[pin1 yin1]" as "简 (pīn yīn)", numbered pinyin as tone marks.
#include <QString>

namespace velmora {

// How the notation's words read in the interface language; %1 is what they
// introduce (and %2 the reading of a variant's word).
struct CedictWords {
  QString measureWords = QStringLiteral("measure word: %1");
  QString variantOf = QStringLiteral("variant of %1 (%2)");  // the word, its reading
  QString alsoPronounced = QStringLiteral("also pronounced %1");
  QString listSeparator = QStringLiteral(", ");
};

// The text with CC-CEDICT's markup rendered; in traditional characters
// where a reference gives both.
QString RenderCedictMarkup(const QString &text, const CedictWords &words, bool traditional = false);

}  // namespace velmora
