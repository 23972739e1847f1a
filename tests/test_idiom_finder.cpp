#include <gtest/gtest.h>

#include "TestInstall.h"
#include "dictionary/DetailText.h"
#include "dictionary/IdiomFinder.h"

using namespace velmora;

TEST(PrefixIndex, FirstRowInListOrderAmongAllMatches) {
  PrefixIndex index;
  index.Build({{"abc", 5}, {"abd", 2}, {"ab", 7}, {"b", 0}, {"abc", 1}});
  EXPECT_EQ(index.FirstRow("ab"), 1);
  EXPECT_EQ(index.FirstRow("abd"), 2);
  EXPECT_EQ(index.FirstRow("b"), 0);
  EXPECT_EQ(index.FirstRow("c"), -1);
  EXPECT_EQ(index.FirstRow(""), -1);
  PrefixIndex empty;
  empty.Build({});
  EXPECT_EQ(empty.FirstRow("a"), -1);
}

TEST(PrefixIndex, MatchesAWalkOverEveryRow) {
  std::vector<PrefixIndex::Entry> entries;
  std::vector<std::string> keys;
  for (int row = 0; row < 3000; ++row) {
    const std::string key = QString::number((row * 7919) % 1000, 3).toStdString();
    entries.push_back({key, row});
    keys.push_back(key);
  }
  PrefixIndex index;
  index.Build(entries);
  for (const std::string prefix : {"1", "12", "2", "21", "1021", "2222", "0", "10"}) {
    int expected = -1;
    for (size_t row = 0; row < keys.size() && expected < 0; ++row)
      if (keys[row].rfind(prefix, 0) == 0) expected = static_cast<int>(row);
    EXPECT_EQ(index.FirstRow(prefix), expected) << prefix;
  }
}

TEST(IdiomFinder, TextBeforePinyinAndEveryReadingCounts) {
  IdiomFinder finder;
  finder.Build({"Abc成语", "长治久安", "女中豪杰", "一丁不识"},
               {"", "cháng zhì jiǔ ān", "nǚ zhōng háo jié", "yī dīng bù shí; yī dīng bù shì"});
  EXPECT_EQ(finder.Find("abc"), 0) << "case does not matter";
  EXPECT_EQ(finder.Find("changzhi"), 1);
  EXPECT_EQ(finder.Find("nvzhong"), 2);
  EXPECT_EQ(finder.Find("nuzhong"), 2);
  EXPECT_EQ(finder.Find("nzhj"), 2);
  EXPECT_EQ(finder.Find("ydbs"), 3);
  EXPECT_EQ(finder.Find("yidingbushi"), 3);
  EXPECT_EQ(finder.Find("一丁"), 3);
  EXPECT_EQ(finder.Find("xyz"), -1);
  EXPECT_EQ(finder.Find(""), -1);
}

TEST(DetailText, LinesAndSeparators) {
  EXPECT_EQ(ComposeDetailText({"成语", "chéng yǔ", "Explain", "a\nb", "Derivation", "", "Example", "x"}),
            "成语\r\nchéng yǔ\r\n\r\nExplain：a\nb\r\n\r\nDerivation：\r\n\r\nExample：x");
}

TEST(IdiomFinder, StoredIndexesFindAsTheBuiltOnesAndBadBytesAreRefused) {
  IdiomFinder built;
  built.Build({"阿鼻地狱", "爱不释手", "一马当先", "一举两得"},
              {"ā bí dì yù", "ài bù shì shǒu", "yī mǎ dāng xiān", "yī jǔ liǎng dé"});
  const auto bytes = built.Serialize();
  const auto loaded = IdiomFinder::FromBytes(bytes);
  ASSERT_TRUE(loaded.has_value());
  for (const QString &key : {"一", "一马", "yi", "yima", "ymdx", "a", "abdy", "zzz", "阿鼻地狱x"})
    EXPECT_EQ(loaded->Find(key), built.Find(key)) << key.toStdString();
  for (const qsizetype cut : {0, 3, 8, 20}) {
    IdiomFinder::Bytes broken = bytes;
    broken.pinyin.truncate(cut);
    EXPECT_FALSE(IdiomFinder::FromBytes(broken).has_value()) << cut;
  }
  // Two keys, "b" before "a": well formed but out of order.
  const QByteArray unsorted = QByteArray("VPX1") +
                              QByteArray::fromHex(
                                  "02000000"
                                  "00000000"
                                  "01000000") +
                              QByteArray::fromHex(
                                  "00000000"
                                  "01000000"
                                  "02000000") +
                              "ba";
  EXPECT_FALSE(PrefixIndex::FromBytes(unsorted).has_value());
  EXPECT_TRUE(PrefixIndex::FromBytes(QByteArray(unsorted).replace("ba", "ab")).has_value());
}
