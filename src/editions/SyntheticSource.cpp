#include "SyntheticSource.h"

#include <QSet>
#include <random>

namespace velmora::editions {

namespace {

struct Syllable {
  const char16_t *character;
  const char *pinyin;
};

const Syllable kSyllables[] = {
    {u"爱", "ài"},   {u"安", "ān"},   {u"百", "bǎi"},  {u"半", "bàn"},  {u"不", "bù"},   {u"才", "cái"},
    {u"草", "cǎo"},  {u"出", "chū"},  {u"大", "dà"},   {u"当", "dāng"}, {u"得", "dé"},   {u"东", "dōng"},
    {u"耳", "ěr"},   {u"二", "èr"},   {u"发", "fā"},   {u"风", "fēng"}, {u"高", "gāo"},  {u"光", "guāng"},
    {u"海", "hǎi"},  {u"和", "hé"},   {u"花", "huā"},  {u"家", "jiā"},  {u"见", "jiàn"}, {u"开", "kāi"},
    {u"口", "kǒu"},  {u"来", "lái"},  {u"老", "lǎo"},  {u"马", "mǎ"},   {u"明", "míng"}, {u"南", "nán"},
    {u"年", "nián"}, {u"平", "píng"}, {u"千", "qiān"}, {u"起", "qǐ"},   {u"人", "rén"},  {u"日", "rì"},
    {u"三", "sān"},  {u"山", "shān"}, {u"天", "tiān"}, {u"同", "tóng"}, {u"万", "wàn"},  {u"文", "wén"},
    {u"心", "xīn"},  {u"先", "xiān"}, {u"一", "yī"},   {u"有", "yǒu"},  {u"自", "zì"},   {u"中", "zhōng"},
    {u"水", "shuǐ"}, {u"月", "yuè"},
};

}  // namespace

std::vector<SourceEntry> SyntheticIdioms(int count) {
  constexpr int kSyllableCount = sizeof(kSyllables) / sizeof(kSyllables[0]);
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> pick(0, kSyllableCount - 1);
  QSet<QString> seen;
  std::vector<SourceEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  while (static_cast<int>(entries.size()) < count) {
    QString idiom;
    QStringList spell;
    for (int i = 0; i < 4; ++i) {
      const Syllable &s = kSyllables[pick(random)];
      idiom += QString::fromUtf16(s.character);
      spell << QString::fromUtf8(s.pinyin);
    }
    if (seen.contains(idiom)) continue;
    seen.insert(idiom);
    SourceEntry entry;
    entry.simplified = idiom;
    entry.spell = spell.join(QLatin1Char(' '));
    entry.note = QStringLiteral("比喻") + idiom + QStringLiteral("的意思，形容做事情的样子和人们的看法。");
    entry.source = QStringLiteral("《史记》") + idiom;
    entry.example = QStringLiteral("他们") + idiom + QStringLiteral("，大家都很高兴。");
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace velmora::editions
