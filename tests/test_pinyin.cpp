#include <gtest/gtest.h>

#include "TestInstall.h"

#include "dictionary/Pinyin.h"

using namespace velmora;

TEST(Pinyin, ToneNumbersBecomeMarksOnTheRightVowel) {
  EXPECT_EQ(NumberedToToneMarks("yi1 ma3 dang1 xian1"), "yī mǎ dāng xiān");
  EXPECT_EQ(NumberedToToneMarks("nu:3 lu:e4 lu:2"), "nǚ lüè lǘ");
  EXPECT_EQ(NumberedToToneMarks("gou3 liu2 gui4 zhong4 er2"), "gǒu liú guì zhòng ér");
  EXPECT_EQ(NumberedToToneMarks("de5 r5 xx5"), "de r xx");
  EXPECT_EQ(NumberedToToneMarks("Zhu1 ge3 Liang4 Ou1"), "Zhū gě Liàng Ōu");
  EXPECT_EQ(NumberedToToneMarks("yi1 bu4 zuo4 , er4 bu4 xiu1"), "yī bù zuò, èr bù xiū");
}

TEST(Pinyin, FilingLettersAndInitials) {
  EXPECT_EQ(FilingLetter("ā bí dì yù"), "A");
  EXPECT_EQ(FilingLetter("Zhū gě"), "Z");
  EXPECT_EQ(FilingLetter(""), "");
  EXPECT_EQ(FilingLetter("，"), "");
  EXPECT_EQ(SyllableInitials("yī mǎ dāng xiān"), "YMDX");
  EXPECT_EQ(SyllableInitials("yī bù zuò, èr bù xiū"), "YBZEBX");
}

TEST(Pinyin, SearchFoldDropsTonesBlanksAndCase) {
  EXPECT_EQ(SearchFold("yī mǎ dāng xiān"), "yimadangxian");
  EXPECT_EQ(SearchFold("nǚ lüè"), "nulue");
  EXPECT_EQ(SearchFold("NV"), "nu");
  EXPECT_EQ(SearchFold("Zhū gě, Liàng"), "zhugeliang");
}
