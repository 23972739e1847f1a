// The match list's matcher: each kind of key, the ranking, and keys that
// find nothing.
#include <gtest/gtest.h>

#include "TestInstall.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/PinyinKey.h"

using velmora::IdiomMatcher;
using velmora::RowTexts;
using Kind = IdiomMatcher::Kind;

namespace {

const QStringList kIdioms = {"画龙点睛", "画蛇添足", "一石二鸟", "应机立断", "延颈企踵", "一马当先", "点睛之笔"};
const QStringList kSpells = {"huà lóng diǎn jīng", "huà shé tiān zú", "yī shí èr niǎo",  "yìng jī lì duàn",
                             "yán jǐng qǐ zhǒng",  "yī mǎ dāng xiān", "diǎn jīng zhī bǐ"};

IdiomMatcher Matcher(const QStringList &idioms = kIdioms) {
  IdiomMatcher matcher;
  matcher.Build(idioms, kSpells);
  return matcher;
}

std::vector<IdiomMatcher::Match> M(std::initializer_list<std::pair<int, Kind>> list) {
  std::vector<IdiomMatcher::Match> matches;
  for (const auto &[row, kind] : list) matches.push_back({row, kind});
  return matches;
}

}  // namespace

TEST(IdiomMatcher, EachKindOfKeyBestFirst) {
  const IdiomMatcher matcher = Matcher();
  const struct {
    const char *key;
    std::vector<IdiomMatcher::Match> expected;
  } cases[] = {
      {"画龙点睛", M({{0, Kind::ExactIdiom}})},
      {"画", M({{0, Kind::IdiomPrefix}, {1, Kind::IdiomPrefix}})},
      {"点睛", M({{6, Kind::IdiomPrefix}, {0, Kind::Inside}})},
      {"龙点睛", M({{0, Kind::Inside}})},
      {"yi1shi2er4niao3", M({{2, Kind::Pinyin}})},
      {"yī shí èr niǎo", M({{2, Kind::Pinyin}})},
      {"yi4shi2", M({})},
      {"hua4 long2", M({{0, Kind::Pinyin}})},
      {"HUA'LONG", M({{0, Kind::Pinyin}})},
      {"ｈｕａｓｈｅｔ", M({{1, Kind::Pinyin}})},
      {"yj", M({{3, Kind::Initials}, {4, Kind::Initials}})},
      {"yjld", M({{3, Kind::Initials}})},
      {"画*睛", M({{0, Kind::Wildcard}})},
      {"一?当先", M({{5, Kind::Wildcard}})},
      {"＊点睛", M({{0, Kind::Wildcard}})},
      {"hua*jing", M({{0, Kind::Wildcard}})},
      {"zzzq", M({})},
      {"dianjing", M({{6, Kind::Pinyin}, {0, Kind::Inside}})},
      {"dangxian", M({{5, Kind::Inside}})},
      {"龙点睛吗", M({})},
  };
  for (const auto &c : cases) EXPECT_EQ(matcher.Find(QString::fromUtf8(c.key)), c.expected) << c.key;
  // Pinyin ranks above initials, ties in list order.
  EXPECT_EQ(matcher.Find("yi"), M({{2, Kind::Pinyin}, {3, Kind::Pinyin}, {5, Kind::Pinyin}})) << "yìng cut short";
  EXPECT_EQ(matcher.Find("*").size(), static_cast<size_t>(kIdioms.size())) << "a lone * matches every idiom";
  EXPECT_TRUE(matcher.Find(QString(1000, QLatin1Char('y'))).empty());
  // Runs of stars are one star, and a key is cut to a bounded length.
  EXPECT_EQ(matcher.Find(QString(10000, QLatin1Char('*')) + "点睛"), matcher.Find("*点睛"));
  EXPECT_EQ(IdiomMatcher::SearchKey("a***b**" + QString(500, QLatin1Char('c'))).left(4), "a*b*");
  EXPECT_EQ(IdiomMatcher::SearchKey(QString(500, QLatin1Char('c'))).size(), IdiomMatcher::kLongestKey);
  EXPECT_TRUE(matcher.Find("   ").empty());
  EXPECT_EQ(matcher.Find("画", {3, 0}), M({{0, Kind::IdiomPrefix}, {1, Kind::IdiomPrefix}, {3, Kind::Meaning}}))
      << "meaning rows join after, each row once";
}

TEST(IdiomMatcher, EitherScriptFindsTheIdiom) {
  const QStringList traditionalIdioms = {"畫龍點睛", "畫蛇添足", "一石二鳥", "應機立斷",
                                         "延頸企踵", "一馬當先", "點睛之筆"};
  IdiomMatcher traditional = Matcher(traditionalIdioms);
  EXPECT_TRUE(traditional.Find("画龙点睛").empty()) << "without the other script";
  traditional.SetOtherScript(kIdioms.join('\n').toUtf8());
  EXPECT_EQ(traditional.Find("画龙点睛"), M({{0, Kind::ExactIdiom}}));
  EXPECT_EQ(traditional.Find("龙点睛"), M({{0, Kind::Inside}}));
  IdiomMatcher simplified = Matcher();
  simplified.SetOtherScript(traditionalIdioms.join('\n').toUtf8());
  EXPECT_EQ(simplified.Find("一馬當先"), M({{5, Kind::ExactIdiom}}));

  // Given a line at a time: rows past the lines have none; a set cut short
  // by a failed read is dropped, not used in part.
  IdiomMatcher streamed = Matcher(traditionalIdioms);
  for (const QString &idiom : kIdioms.mid(0, 2)) streamed.AddOtherScriptLine(idiom.toUtf8());
  streamed.EndOtherScript(true);
  EXPECT_EQ(streamed.Find("画龙点睛"), M({{0, Kind::ExactIdiom}}));
  EXPECT_TRUE(streamed.Find("一马当先").empty()) << "a row past the lines";
  IdiomMatcher cut = Matcher(traditionalIdioms);
  cut.AddOtherScriptLine(kIdioms[0].toUtf8());
  cut.EndOtherScript(false);
  EXPECT_TRUE(cut.Find("画龙点睛").empty());
}

TEST(IdiomMatcher, PatternsOfCharactersAreSoughtByTheirLongestRunInEitherScript) {
  IdiomMatcher matcher = Matcher();
  matcher.SetOtherScript(
      QStringList({"畫龍點睛", "畫蛇添足", "一石二鳥", "應機立斷", "延頸企踵", "一馬當先", "點睛之筆"})
          .join('\n')
          .toUtf8());
  EXPECT_EQ(matcher.Find("*点睛"), M({{0, Kind::Wildcard}})) << "点睛之笔 holds the run but not at its end";
  EXPECT_EQ(matcher.Find("點睛*"), M({{6, Kind::Wildcard}})) << "the run found in the other script";
  EXPECT_EQ(matcher.Find("画??*"), M({{0, Kind::Wildcard}, {1, Kind::Wildcard}}));
  EXPECT_EQ(matcher.Find("一?當?"), M({{5, Kind::Wildcard}})) << "the other script's idiom matched whole";
  EXPECT_TRUE(matcher.Find("??").empty()) << "no run: every row is tried";
  EXPECT_EQ(matcher.Find("*?*").size(), 7u);
}

TEST(IdiomMatcher, ALargeListSearchedInHalvesKeepsListOrderAndSkipsRowsLackingTheKeysLetters) {
  // Enough rows that the scan is shared between two threads: matches on
  // either side of the middle come back in list order, each once.
  constexpr int kRows = 30001;
  IdiomMatcher matcher;
  matcher.Reserve(kRows);
  const std::vector<int> planted = {10, 14999, 15000, 15001, 30000};
  for (int row = 0; row < kRows; ++row) {
    if (std::find(planted.begin(), planted.end(), row) != planted.end())
      matcher.Add("画龙点睛", "huà lóng diǎn jīng");
    else
      matcher.Add(QString(QChar(0x4E00 + row % 20000)) + "之乎者", "yī zhī hū zhě");
  }
  std::vector<IdiomMatcher::Match> expected;
  for (int row : planted) expected.push_back({row, Kind::Pinyin});
  EXPECT_EQ(matcher.Find("hualong"), expected);
  for (auto &match : expected) match.kind = Kind::Initials;
  EXPECT_EQ(matcher.Find("hldj"), expected);
  for (auto &match : expected) match.kind = Kind::ExactIdiom;
  EXPECT_EQ(matcher.Find("画龙点睛"), expected);
  EXPECT_EQ(matcher.Find("h*g"), M({{10, Kind::Wildcard},
                                    {14999, Kind::Wildcard},
                                    {15000, Kind::Wildcard},
                                    {15001, Kind::Wildcard},
                                    {30000, Kind::Wildcard}}));
  EXPECT_EQ(matcher.Find("yzhz").size(), static_cast<size_t>(kRows - 5)) << "every filler row by its initials";
  EXPECT_TRUE(matcher.Find("qx").empty()) << "no row has both letters";
}

TEST(RowTexts, EachRowReadsBackAcrossBlocksAndWhenARowOutgrowsTwoBytes) {
  RowTexts<char> texts;
  std::vector<std::string> rows;
  for (int i = 0; i < 200; ++i) rows.push_back(i % 7 == 0 ? std::string() : std::string(i % 13 + 1, 'a' + i % 26));
  for (const std::string &row : rows) texts.Add(row);
  ASSERT_EQ(texts.Rows(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(texts.At(i), rows[i]) << i;
  // A block of 64 rows holding more than 65,535 letters: every start is
  // then kept whole, and the rows before read back as they were.
  for (int i = 0; i < 70; ++i) rows.push_back(std::string(1500, 'x' + i % 3));
  for (size_t i = 200; i < rows.size(); ++i) texts.Add(rows[i]);
  ASSERT_EQ(texts.Rows(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(texts.At(i), rows[i]) << i;
  EXPECT_EQ(texts.Start(rows.size()), texts.Text().size());
}

// The readings as the data writes them are read in place; everything else
// the normalizing reader takes, and both give the same compact form.
TEST(CompactReading, MarkedVowelsCapitalsSeparateMarksAndPunctuationAlike) {
  using velmora::CompactReading;
  EXPECT_EQ(CompactReading("huà lóng diǎn jīng"), "hua4 long2 dian3 jing1");
  EXPECT_EQ(CompactReading("lǜ lüè nǚ lü"), "lv4 lve4 nv3 lv0");
  EXPECT_EQ(CompactReading("Xī'ān  de"), "xian1 de0");  // capital, apostrophe, two blanks
  EXPECT_EQ(CompactReading(QString::fromUtf8("hua\u0300 nu: lu\u0308\u0301")), "hua4 nv0 lv2");
  EXPECT_EQ(CompactReading("yī ， èr 。"), "yi1 er4");  // punctuation has no syllable
  EXPECT_EQ(CompactReading("yi1 shí"), "shi2");         // a tone digit is not the data's writing
  EXPECT_EQ(CompactReading("' ’"), "");
  EXPECT_EQ(CompactReading(""), "");
}
