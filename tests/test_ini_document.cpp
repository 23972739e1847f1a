#include <gtest/gtest.h>

#include "TestInstall.h"

#include <QStringEncoder>

#include "config/IniDocument.h"

using velmora::IniDocument;

namespace {

QByteArray Gbk(const QString &text) {
  QStringEncoder encoder("GB18030");
  return encoder.encode(text);
}

}  // namespace

TEST(IniDocument, ReadsSectionsAndKeysWithoutRegardToCase) {
  const auto doc = IniDocument::FromBytes("[Language]\r\nDataLanguage = GB \r\n[system]\nOpenSystem=1\n");
  EXPECT_EQ(doc.Value("language", "datalanguage", 99), "GB");
  EXPECT_EQ(doc.Value("LANGUAGE", "Datalanguage", 99), "GB");
  EXPECT_EQ(doc.Value("System", "OPENSYSTEM", 99), "1");
  EXPECT_EQ(doc.Value("system", "missing", 99), "");
  EXPECT_EQ(doc.Value("nosection", "OpenSystem", 99), "");
  EXPECT_FALSE(doc.RawValue("system", "missing").has_value());
}

TEST(IniDocument, FirstSectionAndFirstKeyWin) {
  const auto doc = IniDocument::FromBytes("[a]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
  EXPECT_EQ(doc.Value("a", "k", 99), "1");
  EXPECT_EQ(doc.Value("a", "j", 99), "") << "keys of a later duplicate section are not seen";
}

TEST(IniDocument, KeepsEqualsAndSemicolonsInsideValuesAndSkipsComments) {
  const auto doc = IniDocument::FromBytes("; comment\n[s]\n;k=commented\nk=a=b;c\nq=\"quoted\"\n");
  EXPECT_EQ(doc.Value("s", "k", 99), "a=b;c");
  EXPECT_EQ(doc.Value("s", "q", 99), "quoted");
}

TEST(IniDocument, BufferSizeCutsBytesWithoutSplittingCharacters) {
  const QString ascii(150, QLatin1Char('x'));
  const auto doc = IniDocument::FromBytes(("[s]\nk=" + ascii + "\nc=一马当先\n").toUtf8());
  EXPECT_EQ(doc.Value("s", "k", 99), ascii.left(99));
  EXPECT_EQ(doc.Value("s", "c", 100), QStringLiteral("一马当先"));
  EXPECT_EQ(doc.Value("s", "c", 7), QStringLiteral("一马")) << "7 bytes hold two 3-byte characters";
  EXPECT_EQ(doc.Value("s", "c", 2), QString());
}

TEST(IniDocument, ReadsGb18030FilesAndCountsTheirBytes) {
  const auto doc = IniDocument::FromBytes(Gbk(QStringLiteral("[Setting]\r\nUserName=张三丰\r\n")));
  EXPECT_EQ(doc.encoding(), IniDocument::Encoding::Gb18030);
  EXPECT_EQ(doc.Value("Setting", "UserName", 49), QStringLiteral("张三丰"));
  EXPECT_EQ(doc.Value("Setting", "UserName", 5), QStringLiteral("张三")) << "two bytes per character";
}

TEST(IniDocument, HandlesByteOrderMarkAndAllLineEnds) {
  const auto doc = IniDocument::FromBytes("\xEF\xBB\xBF[a]\rx=1\r[b]\ny=2\r\n[c]\r\nz=3");
  EXPECT_EQ(doc.Value("a", "x", 9), "1");
  EXPECT_EQ(doc.Value("b", "y", 9), "2");
  EXPECT_EQ(doc.Value("c", "z", 9), "3");
}

TEST(IniDocument, WriteReplacesInPlaceAndKeepsEveryOtherLine) {
  const QByteArray original =
      "; my settings\r\n[Setting]\r\nUserName=old\r\nlogo=x\r\n\r\n[system]\r\nOpenSystem=1\r\n";
  auto doc = IniDocument::FromBytes(original);
  doc.SetValue("setting", "username", "new");
  EXPECT_EQ(doc.ToBytes(), QByteArray(original).replace("UserName=old", "UserName=new"));
}

TEST(IniDocument, WriteAddsKeysAndSectionsAndKeepsTheEncoding) {
  auto doc = IniDocument::FromBytes(Gbk(QStringLiteral("[Setting]\nUserName=张三\n")));
  doc.SetValue("Setting", "UserCoolName", QStringLiteral("小龙"));
  doc.SetValue("language", "DataLanguage", "GB");
  const auto reread = IniDocument::FromBytes(doc.ToBytes());
  EXPECT_EQ(reread.encoding(), IniDocument::Encoding::Gb18030);
  EXPECT_EQ(reread.Value("Setting", "UserName", 99), QStringLiteral("张三"));
  EXPECT_EQ(reread.Value("Setting", "UserCoolName", 99), QStringLiteral("小龙"));
  EXPECT_EQ(reread.Value("language", "DataLanguage", 99), "GB");
  EXPECT_TRUE(doc.ToBytes().startsWith(Gbk(QStringLiteral("[Setting]\nUserName=张三\nUserCoolName=小龙\n"))));
}

TEST(IniDocument, WriteToEmptyFileAndFileWithoutFinalLineEnd) {
  auto empty = IniDocument::FromBytes({});
  empty.SetValue("Setting", "logo", "/a/b.jpg");
  EXPECT_EQ(empty.ToBytes(), "[Setting]\nlogo=/a/b.jpg\n");
  auto unterminated = IniDocument::FromBytes("[s]\r\na=1");
  unterminated.SetValue("s", "b", "2");
  EXPECT_EQ(unterminated.ToBytes(), "[s]\r\na=1\r\nb=2\r\n");
}

TEST(IniDocument, ValueWithLineBreaksCannotSplitTheFile) {
  auto doc = IniDocument::FromBytes("[s]\nk=1\n");
  doc.SetValue("s", "k", "a\n[evil]\nx=1");
  const auto reread = IniDocument::FromBytes(doc.ToBytes());
  EXPECT_EQ(reread.Value("s", "k", 99), "a [evil] x=1");
  EXPECT_EQ(reread.Value("evil", "x", 99), "");
}

TEST(IniDocument, EncodingFollowsEvidenceNotChance) {
  // 郑伟 in GBK is D6 A3 CE B0: valid UTF-8 by chance, but only two-byte sequences.
  const auto gbk = IniDocument::FromBytes("[Setting]\nUserName=" + Gbk(QStringLiteral("郑伟")) + "\n");
  EXPECT_EQ(gbk.encoding(), IniDocument::Encoding::Gb18030);
  EXPECT_EQ(gbk.Value("Setting", "UserName", 49), QStringLiteral("郑伟"));
  // A GB18030 text with a chance run of valid UTF-8: "足，" is D7 E3 A3 AC.
  QString text;
  for (int i = 0; i < 50; ++i) text += QStringLiteral("他说这是一百次。");
  text += QStringLiteral("画蛇添足，");
  EXPECT_EQ(velmora::DecodeLikeSettings(Gbk(text)), text);
  EXPECT_EQ(IniDocument::FromBytes("[s]\nk=" + Gbk(text) + "\n").encoding(), IniDocument::Encoding::Gb18030);
  // One stray Latin-1 byte in a comment leaves the rest of a UTF-8 file alone.
  const auto stray =
      IniDocument::FromBytes(QStringLiteral("; caf").toUtf8() + "\xE9\n[Message]\n800001001=无法打开数据库\n");
  EXPECT_EQ(stray.encoding(), IniDocument::Encoding::Utf8);
  EXPECT_EQ(stray.Value("Message", "800001001", 399), QStringLiteral("无法打开数据库"));
  // A UTF-8 file keeps reading as UTF-8 when a write removes its only CJK text.
  auto utf8 = IniDocument::FromBytes(QStringLiteral("[Setting]\nUserName=李\nUserCoolName=José\n").toUtf8());
  utf8.SetValue("Setting", "UserName", "Li");
  EXPECT_EQ(IniDocument::FromBytes(utf8.ToBytes()).Value("Setting", "UserCoolName", 99), QStringLiteral("José"));
}

TEST(IniDocument, ReadsAndWritesUtf16WithByteOrderMark) {
  for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
    QStringEncoder encoder(encoding);
    const QByteArray bom = encoding == QStringConverter::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
    const QByteArray bytes = bom + QByteArray(encoder.encode(QStringLiteral("[language]\r\nDataLanguage=GB\r\n")));
    auto doc = IniDocument::FromBytes(bytes);
    EXPECT_EQ(doc.ToBytes(), bytes) << "unchanged, written back as read";
    EXPECT_EQ(doc.Value("language", "DataLanguage", 99), "GB");
    EXPECT_EQ(doc.Value("language", "DataLanguage", 3), "G") << "two bytes per character";
    doc.SetValue("Setting", "UserName", QStringLiteral("李小龙"));
    const QByteArray written = doc.ToBytes();
    EXPECT_TRUE(written.startsWith(bytes.left(bytes.size() - 2)));
    EXPECT_EQ(IniDocument::FromBytes(written).Value("Setting", "UserName", 99), QStringLiteral("李小龙"));
  }
}
