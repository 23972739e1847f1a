// Related idioms, the chain game's rules, and the 近义词/反义词 a source carries.
#include <gtest/gtest.h>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/IdiomStore.h"
#include "data/Queries.h"
#include "dictionary/RelatedIndex.h"
#include "dictionary/TeachingText.h"
#include "editions/EditionBuilder.h"
#include "editions/IdiomJsonSource.h"
#include "practice/ChainGame.h"

namespace velmora {
namespace {

// idiom, reading, explanation
const char *const kRows[][3] = {
    {"一马当先", "yī mǎ dāng xiān", "lit. the first to charge (idiom); fig. to take the lead"},
    {"先发制人", "xiān fā zhì rén", "to take the initiative; to strike first"},
    {"先入为主", "xiān rù wéi zhǔ", "first impressions are strongest"},
    {"鲜为人知", "xiǎn wéi rén zhī", "rarely known to anyone"},
    {"仙风道骨", "xiān fēng dào gǔ", "immortal's manner"},
    {"弹指之间", "tán zhǐ zhī jiān", "(idiom) in a flash; in the snap of a finger"},
    {"瞬息之间", "shùn xī zhī jiān", "in the twinkling of an eye; in a flash"},
    {"转眼之间", "zhuǎn yǎn zhī jiān", "In a flash."},
    {"画龙点睛", "huà lóng diǎn jīng", "to add the finishing touch"},
    {"点睛之笔", "diǎn jīng zhī bǐ", "the finishing touch"},
    {"人山人海", "rén shān rén hǎi", "a sea of people"},
};

RelatedIndex SmallIndex() {
  RelatedIndex index;
  for (const auto &row : kRows) index.Add(row[0], row[1], row[2]);
  index.Finish();
  return index;
}

TEST(RelatedIdioms, IdiomsThousandsOfCharactersLongAreComparedByTheirStart) {
  // Three "idioms" of 5,000 characters, as a hostile edition may hold: the
  // longest shared run is found within the bound, not by comparing every
  // pair of places.
  RelatedIndex index;
  QString a, b, c;
  for (int i = 0; i < 1250; ++i) a += "画龙点睛", b += "点睛画龙", c += "睛点龙画";
  index.Add(a, "", "");
  index.Add(b, "", "");
  index.Add(c, "", "");
  index.Finish();
  EXPECT_EQ(index.Find(a).sameCharacters, (QStringList{b, c})) << "a run of 63 shared with b, of 1 with c";
}

TEST(RelatedIdioms, ACommonIdiomSharingTwoCharactersComesBeforeARareOneSharingThree) {
  RelatedIndex index;
  for (const char *idiom : {"一心一意", "一心一德", "全心全意", "心满意足", "专心一意"}) index.Add(idiom, "", "");
  index.Finish();
  const auto row = [&index](const QString &idiom) { return *index.RowOf(idiom); };
  std::vector<uint32_t> counts(5);
  counts[static_cast<size_t>(row("全心全意"))] = 2400;
  counts[static_cast<size_t>(row("心满意足"))] = 900;
  counts[static_cast<size_t>(row("一心一德"))] = 12;
  counts[static_cast<size_t>(row("专心一意"))] = 4;
  const IdiomFrequencies frequencies(counts);
  EXPECT_EQ(index.Find("一心一意", &frequencies).sameCharacters,
            (QStringList{"全心全意", "心满意足", "一心一德", "专心一意"}));
}

TEST(RelatedIdioms, MeaningCharactersAndChain) {
  const RelatedIndex index = SmallIndex();
  const RelatedIdioms flash = index.Find("弹指之间");
  EXPECT_EQ(flash.sameMeaning, (QStringList{"瞬息之间", "转眼之间"}));  // "in a flash", normalised
  EXPECT_EQ(flash.sameCharacters.first(), "瞬息之间");                  // 之间: a shared run of two

  const RelatedIdioms lead = index.Find("一马当先");
  EXPECT_EQ(lead.nextByCharacter, (QStringList{"先发制人", "先入为主"}));
  EXPECT_EQ(lead.nextBySyllable, (QStringList{"鲜为人知", "仙风道骨"}));      // xian, any tone, not 先 again
  EXPECT_EQ(index.Find("画龙点睛").sameCharacters, QStringList{"点睛之笔"});  // 点睛; 画 alone is not enough
  EXPECT_TRUE(index.Find("画龙点睛").sameMeaning.isEmpty());  // "add finishing touch" is not "finishing touch"
  EXPECT_TRUE(index.Find("不在其中").nextByCharacter.isEmpty());

  // Stored and read back it answers alike; damaged bytes are not read.
  const QByteArray bytes = index.Serialize();
  const auto loaded = RelatedIndex::Deserialize(bytes);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Find("一马当先").nextBySyllable, lead.nextBySyllable);
  EXPECT_EQ(loaded->Find("弹指之间").sameMeaning, flash.sameMeaning);
  EXPECT_FALSE(RelatedIndex::Deserialize(bytes.left(bytes.size() / 2)));
  QByteArray wrong = bytes;
  wrong[wrong.size() - 3] = '\x7f';
  const auto odd = RelatedIndex::Deserialize(wrong);
  if (odd) EXPECT_LE(odd->size(), index.size());  // read only when every row reference is in range
}

TEST(RelatedIdioms, ChineseExplanationsShareClausesButNotASourcesSetPhrase) {
  RelatedIndex index;
  index.Add("弹指之间", "tán zhǐ zhī jiān", "比喻时间极短暂，转眼就过去了。");
  index.Add("转瞬之间", "zhuǎn shùn zhī jiān", "眨眼之间；比喻时间极短暂。");
  index.Add("一马当先", "yī mǎ dāng xiān", "作战时策马冲在最前面，比喻带头。");
  // A set phrase that forty idioms of one source repeat relates none of them.
  for (int i = 0; i < 40; ++i)
    index.Add(QString(QChar(0x4E00 + i)) + "字成语", "zì chéng yǔ", "形容做事情的样子，另有" + QString::number(i));
  index.Finish();
  EXPECT_EQ(index.Find("弹指之间").sameMeaning, QStringList{"转瞬之间"});
  EXPECT_TRUE(index.Find("一马当先").sameMeaning.isEmpty()) << "it shares no clause";
  EXPECT_TRUE(index.Find(QString(QChar(0x4E00)) + "字成语").sameMeaning.isEmpty());
}

TEST(ChainGame, Rules) {
  const RelatedIndex index = SmallIndex();
  struct Case {
    ChainRule rule;
    const char *after, *played;
    bool accepted;
    const char *reason;
  };
  const Case cases[] = {
      {ChainRule::SameCharacter, "一马当先", "先发制人", true, ""},
      {ChainRule::SameCharacter, "一马当先", "仙风道骨", false, "仙风道骨 does not begin with 先"},
      {ChainRule::SameSyllableAndTone, "一马当先", "仙风道骨", true, ""},
      {ChainRule::SameSyllableAndTone, "一马当先", "鲜为人知", false, "鲜为人知 does not begin with xian1"},
      {ChainRule::SameSyllable, "一马当先", "鲜为人知", true, ""},
      {ChainRule::SameSyllable, "一马当先", "一马当先", false, "一马当先 is in the chain already"},
      {ChainRule::SameCharacter, "一马当先", "马到成功", false, "马到成功 is not in this dictionary"},
  };
  for (const Case &c : cases) {
    ChainGame game(index, c.rule, ChainGame::Level::Easy, 1);
    ASSERT_TRUE(game.Start(c.after));
    const ChainGame::Verdict verdict = game.Play(c.played);
    EXPECT_EQ(verdict.accepted, c.accepted) << c.played;
    EXPECT_EQ(verdict.reason, QString(c.reason));
  }
  // 先发制人 ends in 人: the computer answers 人山人海, which nothing follows.
  ChainGame game(index, ChainRule::SameCharacter, ChainGame::Level::Hard, 1);
  ASSERT_TRUE(game.Start("一马当先"));
  ASSERT_TRUE(game.Play("先发制人").accepted);
  EXPECT_EQ(game.Hint(), std::optional<QString>("人山人海"));
  EXPECT_EQ(game.Answer(), std::optional<QString>("人山人海"));
  EXPECT_TRUE(game.Over());
  EXPECT_EQ(game.Ending(), "no idiom follows 海");
  EXPECT_EQ(game.Chain(), (QStringList{"一马当先", "先发制人", "人山人海"}));
  EXPECT_FALSE(game.Play("先入为主").accepted);
}

TEST(CommonIdioms, LeadTheRelatedSectionsAndTheChain) {
  const RelatedIndex index = SmallIndex();
  // By row of kRows: 先入为主 the most common, 仙风道骨 next, the rest rare or unknown.
  std::vector<uint32_t> counts(std::size(kRows), 0);
  counts[0] = 50;   // 一马当先
  counts[1] = 5;    // 先发制人
  counts[2] = 500;  // 先入为主
  counts[4] = 100;  // 仙风道骨
  const IdiomFrequencies frequencies(counts);
  const RelatedIdioms lead = index.Find("一马当先", &frequencies);
  EXPECT_EQ(lead.nextByCharacter, (QStringList{"先入为主", "先发制人"}));
  EXPECT_EQ(lead.nextBySyllable, (QStringList{"仙风道骨", "鲜为人知"}));
  for (unsigned seed = 1; seed <= 12; ++seed) {
    ChainGame game(index, ChainRule::SameSyllable, ChainGame::Level::Hard, seed);
    game.SetFrequencies(&frequencies);
    ASSERT_TRUE(game.Start("一马当先"));
    EXPECT_EQ(game.Hint(), std::optional<QString>("先入为主")) << seed;
    EXPECT_EQ(game.Answer(), std::optional<QString>("先入为主")) << "the commonest that leaves no move; seed " << seed;
    ChainGame started(index, ChainRule::SameCharacter, ChainGame::Level::Easy, seed);
    started.SetFrequencies(&frequencies);
    ASSERT_TRUE(started.StartAtRandom());
    EXPECT_TRUE(started.Chain().front() == "一马当先" || started.Chain().front() == "先发制人")
        << "a common idiom that can be answered, not " << started.Chain().front().toStdString();
  }
}

TEST(RelatedIdioms, SynonymsAndAntonymsFromASource) {
  const QByteArray json = R"([
    {"word": "一马当先", "pinyin": "yī mǎ dāng xiān", "explanation": "走在最前面",
     "synonyms": ["身先士卒", "首当其冲"], "反义词": "畏缩不前、落后于人"},
    {"word": "身先士卒", "pinyin": "shēn xiān shì zú", "近义词": "一马当先 奋勇当先"}
  ])";
  const auto entries = editions::ReadIdiomJson(json, "idioms.json");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].antonyms, (QStringList{"畏缩不前", "落后于人"}));
  EXPECT_EQ(entries[1].synonyms, (QStringList{"一马当先", "奋勇当先"}));

  test::TestInstall install;
  test::WriteSmallEdition(install.file("related.dat"), entries);
  test::UseDatabase(install.file("related.dat"));
  const RelatedTerms terms = RelatedTermsOf("一马当先");
  EXPECT_EQ(terms.synonyms, (QStringList{"身先士卒", "首当其冲"}));
  EXPECT_EQ(terms.antonyms, (QStringList{"畏缩不前", "落后于人"}));
  // The edition carries its related index, ready to load.
  const auto connection = DictionaryConnection();
  ASSERT_TRUE(connection);
  const auto stored = RelatedIndex::Deserialize(ReadSearchData(*connection, kSearchRelatedIndex));
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->size(), 2);
}

TEST(TeachingEntry, SensesExamplesAndRuby) {
  EXPECT_EQ(SensesOnLines("lit. draw legs on a snake; fig. to ruin the effect; to overdo it", "字面", "比喻"),
            "字面：draw legs on a snake\n比喻：to ruin the effect; to overdo it");
  EXPECT_EQ(SensesOnLines("说话切中要害\n(idiom) lit. to pierce; fig. to hit the nail", "lit.", "fig."),
            "说话切中要害\n(idiom)\nlit. to pierce\nfig. to hit the nail");
  EXPECT_EQ(SensesOnLines("to take the lead", "字面", "比喻"), "to take the lead");
  // Only at the start, after ";" or after ")": not inside a word or a sentence.
  EXPECT_EQ(SensesOnLines("a split. b; a sculpt. c;fig.d", "L", "F"), "a split. b; a sculpt. c\nF d");
  EXPECT_EQ(SensesOnLines(" lit. x", "L", "F"), " lit. x");
  // A question asks by the figurative sense: the literal one gives the idiom away.
  EXPECT_EQ(WithoutLiteralSense("lit. to guard a tree-stump, waiting for rabbits; fig. to trust to chance"),
            "to trust to chance");
  EXPECT_EQ(WithoutLiteralSense("比喻死守经验\n(idiom) lit. to pierce; fig. to hit the nail"),
            "比喻死守经验\n(idiom)\nto hit the nail");
  EXPECT_EQ(WithoutLiteralSense("lit. only the words"), "lit. only the words") << "nothing else to ask by";

  const MarkedText example = ExampleWithIdiom("这篇文章的结尾～。", "画龙点睛");
  EXPECT_EQ(example.text, "这篇文章的结尾画龙点睛。");
  ASSERT_EQ(example.marks.size(), 1u);
  EXPECT_EQ(example.marks[0], (std::pair<qsizetype, qsizetype>{7, 4}));

  const auto pairs = RubyPairs("画龙点睛", "huà lóng diǎn jīng; huà lóng dian jing");
  ASSERT_EQ(pairs.size(), 4u);
  EXPECT_EQ(pairs[3], (std::pair<QString, QString>{"睛", "jīng"}));
  EXPECT_TRUE(RubyPairs("画龙点睛", "huà lóng diǎn").empty());                               // a syllable short
  EXPECT_TRUE(RubyPairs("爱美之心，人皆有之", "ài měi zhī xīn , rén jiē yǒu zhī").empty());  // a comma carries none
  EXPECT_TRUE(RubyPairs("", "").empty());
}

}  // namespace
}  // namespace velmora
