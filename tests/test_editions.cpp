#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>

#include <csignal>

#include <opencc/opencc.h>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <functional>
#include <future>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/IdiomStore.h"
#include "data/MeaningIndex.h"
#include "data/MeaningSearch.h"
#include "data/Queries.h"
#include "data/SqlConnection.h"
#include "data/ZhCollation.h"
#include "dictionary/CedictMarkup.h"
#include "dictionary/CharacterStrokes.h"
#include "dictionary/FinderSource.h"
#include "dictionary/IdiomFinder.h"
#include "dictionary/IdiomFrequencies.h"
#include "dictionary/IdiomMatcher.h"
#include "editions/CedictNotation.h"
#include "editions/CedictSource.h"
#include "editions/EditionBuilder.h"
#include "editions/EditionSwap.h"
#include "editions/Editions.h"
#include "editions/IdiomJsonSource.h"
#include "editions/ReadingCheck.h"
#include "editions/ScriptConverter.h"
#include "editions/SourceError.h"
#include "editions/SourceFile.h"
#include "editions/StrokeFileWriter.h"
#include "editions/SyntheticSource.h"
#include "editions/TraditionalEntries.h"
#include "editions/WordList.h"

using namespace velmora;
using namespace velmora::editions;

namespace {

const QByteArray kCedictModule = R"(export default {"all":[
["一馬當先","一马当先","yi1 ma3 dang1 xian1","lit. the first to charge (idiom); fig. to take the lead",[],[]],
["一丁不識","一丁不识","yi1 ding1 bu4 shi2","(idiom) illiterate",[],[]],
["一丁不識","一丁不识","yi1 ding1 bu4 shi4",["(idiom) illiterate","unlettered"],[],[]],
["一男半女","一男半女","yi1 nan2 ban4 nu:3","(idiom) a son or daughter",[],[]],
["馬","马","ma3","horse",[],[]],
["乾淨","干净","gan1 jing4","clean",[],[]]
]};
)";

TEST(WordList, TakesTheIdiomsItTagsAndTellsHowCommonEachIs) {
  const WordList words =
      WordList::Parse("首当其冲 1390 i\n一马当先 316 i\n牛 5 n\n中华人民共和国 9999 ns\n半途而废 0 i\nbroken line\n");
  EXPECT_EQ(words.size(), 4) << "words shorter than four characters and lines of another shape are left out";
  const QByteArray cedict =
      "首當其衝 首当其冲 [shou3 dang1 qi2 chong1] /to bear the brunt/\n"
      "一馬當先 一马当先 [yi1 ma3 dang1 xian1] /(idiom) to take the lead/\n"
      "中華人民共和國 中华人民共和国 [Zhong1 hua2 Ren2 min2 Gong4 he2 guo2] /People's Republic of China/\n"
      "畫龍點睛 画龙点睛 [hua4 long2 dian3 jing1] /(idiom) to add the finishing touch/\n";
  EXPECT_EQ(ReadCedictText(cedict).size(), 2u) << "without the list, only CC-CEDICT's tag counts";
  std::vector<SourceEntry> entries = ReadCedictText(cedict, "cedict_ts.u8", &words);
  ASSERT_EQ(entries.size(), 3u) << "the list's idiom joins; its proper noun does not";
  AttachFrequencies(&entries, words);
  QTemporaryDir dir;
  const QString path = dir.filePath("counted.dat");
  const auto rows = BuildRows(entries, Edition::Gb);
  WriteEdition(rows, path, kDatabasePassword, "test");
  QString error;
  const auto connection = SqlConnection::Open(path, kDatabasePassword, SqlConnection::Mode::ReadOnly, &error);
  ASSERT_TRUE(connection) << error.toStdString();
  const IdiomFrequencies counts = IdiomFrequencies::Read(*connection, static_cast<int>(rows.size()));
  ASSERT_TRUE(counts.Known());
  std::map<QString, uint32_t> byIdiom;
  for (size_t i = 0; i < rows.size(); ++i) byIdiom[rows[i].idiom] = counts.At(static_cast<int>(i));
  EXPECT_EQ(byIdiom["首当其冲"], 1390u);
  EXPECT_EQ(byIdiom["一马当先"], 316u);
  EXPECT_EQ(byIdiom["画龙点睛"], 0u) << "not in the list: unknown";
  EXPECT_FALSE(IdiomFrequencies::Read(*connection, static_cast<int>(rows.size()) + 1).Known())
      << "counts that do not fit the rows are none";
  EXPECT_EQ(
      counts.RowsCommonFirst(static_cast<int>(rows.size())).front(),
      std::find_if(rows.begin(), rows.end(), [](const IdiomRow &r) { return r.idiom == "首当其冲"; }) - rows.begin());
}

TEST(IdiomJson, EveryShapeIsReadAndFoundByItsReading) {
  struct Shape {
    const char *name;
    QByteArray json;
  };
  const Shape shapes[] = {
      {"tone marks", R"([{"word": "画龙点睛", "pinyin": "huà lóng diǎn jīng"}])"},
      {"tone numbers", R"([{"word": "画龙点睛", "pinyin": "hua4 long2 dian3 jing1"}])"},
      {"toneless", R"([{"word": "画龙点睛", "pinyin": "hua long dian jing"}])"},
      {"apostrophes and hyphens", R"([{"word": "画龙点睛", "pinyin": "huà'lóng-diǎn jīng"}])"},
      {"Chinese keys", R"([{"成语": "画龙点睛", "拼音": "huà lóng diǎn jīng", "释义": "比喻关键一笔"}])"},
      {"JSON Lines",
       "{\"word\": \"画龙点睛\", \"pinyin\": \"huà lóng diǎn jīng\"}\n"
       "{\"word\": \"一马当先\", \"pinyin\": \"yī mǎ dāng xiān\"}\n"},
      {"a top-level object", R"({"data": [{"word": "画龙点睛", "pinyin": "huà lóng diǎn jīng"}]})"},
      {"an object keyed by the idiom", R"({"画龙点睛": {"pinyin": "huà lóng diǎn jīng"}})"},
  };
  for (const Shape &shape : shapes) {
    const auto rows = BuildRows(ReadIdiomJson(shape.json, "shape.json"), Edition::Gb);
    QStringList idioms, spells;
    for (const IdiomRow &row : rows) {
      idioms << row.idiom;
      spells << row.spell.value_or(QString());
    }
    IdiomMatcher matcher;
    matcher.Build(idioms, spells);
    const int row = static_cast<int>(idioms.indexOf("画龙点睛"));
    ASSERT_GE(row, 0) << shape.name;
    for (const char *key : {"hualongdianjing", "hldj", "hua4long2"}) {
      const auto found = matcher.Find(key);
      EXPECT_TRUE(std::any_of(found.begin(), found.end(), [row](const auto &m) { return m.row == row; }))
          << shape.name << ": not found by " << key;
    }
  }
  // A traditional word: the simplified edition holds it simplified, the traditional one as written.
  QTemporaryDir dir;
  LoadedSource traditional;
  traditional.entries = ReadIdiomJson(R"([{"word": "畫龍點睛", "pinyin": "huà lóng diǎn jīng"}])");
  BuildEditions({traditional}, {dir.filePath("gb.dat"), dir.filePath("big5.dat")}, kDatabasePassword, {});
  for (const auto &[file, idiom] : {std::pair{"gb.dat", "画龙点睛"}, std::pair{"big5.dat", "畫龍點睛"}}) {
    QString error;
    const auto connection =
        SqlConnection::Open(dir.filePath(file), kDatabasePassword, SqlConnection::Mode::ReadOnly, &error);
    ASSERT_TRUE(connection) << error.toStdString();
    QStringList idioms;
    ForEachIdiomInCodeOrder(*connection, [&idioms](const QString &each, const QString &) { idioms << each; });
    EXPECT_EQ(idioms, QStringList{QString::fromUtf8(idiom)}) << file;
  }
  // A list splits at its own separator: the comma inside an idiom stays.
  const auto listed = ReadIdiomJson(
      R"([{"word": "画龙点睛", "pinyin": "huà lóng diǎn jīng", "近义词": "兵马未动，粮草先行、一马当先"}])");
  EXPECT_EQ(listed.front().synonyms, (QStringList{"兵马未动，粮草先行", "一马当先"}));
  EXPECT_EQ(ReadIdiomJson(R"([{"word": "画龙点睛", "pinyin": "hua4 long2 dian3 jing1"}])").front().spell,
            "huà lóng diǎn jīng");
}

TEST(IdiomJson, OneReadingWrittenTwoWaysIsOneAndUnusableEntriesAreCountedByWhy) {
  SkippedEntries skipped;
  const auto entries = ReadIdiomJson(R"([
      {"word": "一马当先", "pinyin": "yi ma dang xian; yī mǎ dāng xiān；YI1 MA3 DANG1 XIAN1"},
      {"word": "绿林好汉", "pinyin": "lu:4 lin2 hao3 han4"},
      {"word": "画蛇添足"}, {"pinyin": "huà lóng diǎn jīng"}, {"word": "无", "pinyin": "wú"}, 7])",
                                     "skips.json", &skipped);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].spell, "yī mǎ dāng xiān") << "the toned writing stands for the toneless one";
  EXPECT_EQ(skipped.withoutReading, 1);
  EXPECT_EQ(skipped.withoutIdiom, 2);
  EXPECT_EQ(skipped.notAnEntry, 1);
  EXPECT_EQ(SkippedInEnglish(skipped), "1 without a reading, 2 without an idiom, 1 not an idiom entry");
  // Across sources too, ü however written; a reading that differs stays.
  SourceEntry other = entries[1];
  other.spell = "LV LIN HAO HAN";
  SourceEntry second = entries[1];
  second.spell = "lù lín hǎo hàn";
  const auto rows = BuildRows({entries[1], other, second}, Edition::Gb);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].spell.value_or(""), "lǜ lín hǎo hàn; lù lín hǎo hàn");
  QTemporaryDir dir;
  QFile unusable(dir.filePath("unusable.json"));
  ASSERT_TRUE(unusable.open(QIODevice::WriteOnly));
  unusable.write(R"([{"word": "画蛇添足"}])");
  unusable.close();
  try {
    LoadSource(unusable.fileName(), SourceKind::Json);
    ADD_FAILURE() << "a file of no usable idioms was taken";
  } catch (const SourceError &error) {
    EXPECT_TRUE(error.Text().contains("1 without a reading")) << error.Text().toStdString();
  }
}

TEST(IdiomJson, TextThatIsNotWhatItSeemsIsLeftOutAndDoubtfulReadingsAreCounted) {
  SkippedEntries skipped;
  const QByteArray longReading = "\"" + QByteArray(20000, 'a') + "\"";
  const auto entries = ReadIdiomJson(R"([
      {"word": "画蛇\u0000添足", "pinyin": "hua4 she2 tian1 zu2"},
      {"word": "画蛇添足", "pinyin": "hua4 she2\u0007 tian1 zu2"},
      {"word": "画龙点睛", "pinyin": )" + longReading +
                                         R"(},
      {"word": "一马当先", "pinyin": "yi1 ma3 dang1"},
      {"word": "前怕狼，后怕虎", "pinyin": "qián pà láng hòu pà hǔ"},
      {"word": "心想事成", "pinyin": "xin6 xiang3 shi4 cheng0"}])",
                                     "odd.json", &skipped);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(skipped.unreadable, 3) << "a NUL, a bell, a reading of 20,000 letters";
  EXPECT_EQ(skipped.syllablesDiffer, 1) << "一马当先 read in three; punctuation is no character";
  EXPECT_EQ(skipped.oddToneDigits, 1);
  EXPECT_EQ(SkippedInEnglish(skipped), "3 with control characters or an overlong reading");
  EXPECT_EQ(DoubtfulInEnglish(skipped),
            "1 whose syllables and characters differ in number, 1 with a tone digit 0, 6, 7, 8 or 9");
  // UTF-16 as Windows saves "Unicode" text, with its mark and without.
  QTemporaryDir dir;
  const QString json = R"([{"word": "画蛇添足", "pinyin": "huà shé tiān zú"}])";
  for (const auto &[name, bytes] :
       {std::pair{"marked.json",
                  QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(json.utf16()), json.size() * 2)},
        std::pair{"bare.json", QByteArray(reinterpret_cast<const char *>(json.utf16()), json.size() * 2)}}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const LoadedSource source = LoadSource(file.fileName(), SourceKind::Any);
    ASSERT_EQ(source.entries.size(), 1u) << name;
    EXPECT_EQ(source.entries[0].simplified, "画蛇添足");
  }
}

// The entries built into a GB edition at path, opened as the program's database.
IdiomList OpenBuiltEdition(const std::vector<SourceEntry> &entries, const QString &path) {
  WriteEdition(BuildRows(entries, Edition::Gb), path, kDatabasePassword, "test");
  test::UseDatabase(path);
  return AllIdioms();
}

TEST(ReadingCheck, AnotherReadingIsCarriedWhereItDiffersAndFindsTheIdiom) {
  EXPECT_TRUE(SameReading("一马当先", "yī mǎ dāng xiān", "yì mǎ dāng xiān")) << "一 changes its tone";
  EXPECT_TRUE(SameReading("不可思议", "bù kě sī yì", "bú kě sī yì")) << "so does 不";
  EXPECT_TRUE(SameReading("马马虎虎", "mǎ ma hū hū", "mǎ mǎ hū hū")) << "a neutral tone";
  EXPECT_TRUE(SameReading("一言为定", "yī yán wéi dìng", "yì yán, wéi dìng")) << "a comma";
  EXPECT_FALSE(SameReading("箪食壶浆", "dān shí hú jiāng", "dān sì hú jiāng"));
  EXPECT_FALSE(SameReading("一哄而散", "yī hōng ér sàn", "yí hòng ér sàn")) << "哄 is another tone";
  const ReadingList readings = ReadingList::Parse(
      R"({"箪食壶浆": ["dān sì hú jiāng", 9e-12], "一马当先": ["yì mǎ dāng xiān", 1e-9], "一": ["yī", 1]})");
  EXPECT_EQ(readings.size(), 2) << "words of four characters or more";
  EXPECT_THROW(ReadingList::Parse("[1, 2]", "x.json"), SourceError);
  std::vector<SourceEntry> entries = ReadCedictText(
      "簞食壺漿 箪食壶浆 [dan1 shi2 hu2 jiang1] /(idiom) to welcome troops/\n"
      "一馬當先 一马当先 [yi1 ma3 dang1 xian1] /(idiom) to take the lead/\n");
  const auto differing = CheckReadings(&entries, readings);
  ASSERT_EQ(differing.size(), 1u);
  EXPECT_EQ(differing[0].idiom, "箪食壶浆");
  EXPECT_EQ(differing[0].other, "dān sì hú jiāng");
  QTemporaryDir dir;
  const IdiomList list = OpenBuiltEdition(entries, dir.filePath("read.dat"));
  ASSERT_TRUE(list.IsPaged());
  const IdiomMatcher matcher = MatcherSource(list, ConnString())();
  CloseDatabase();
  const auto found = matcher.Find("dansihujiang");
  ASSERT_FALSE(found.empty()) << "found by the other reading";
  EXPECT_EQ(matcher.IdiomAt(found.front().row), "箪食壶浆");
  EXPECT_FALSE(matcher.Find("danshihujiang").empty()) << "and by its own";
}

TEST(ReadingCheck, ComparedAfterMergingInCitationTonesWithErhuaAsOneReading) {
  EXPECT_TRUE(SameReading("好玩儿", "hǎo wán r", "hǎo wán er"));
  EXPECT_TRUE(SameReading("好玩儿", "hǎo wánr", "hǎo wán"));
  EXPECT_EQ(InCitationTones("一哄而散", "yí hòng ér sàn"), "yī hòng ér sàn");
  EXPECT_EQ(InCitationTones("不可思议", "bú kě sī yì"), "bù kě sī yì");
  // Two entries of one idiom, each read otherwise by the list than by itself.
  const ReadingList readings = ReadingList::Parse(R"({"难兄难弟": ["nán xiōng nán dì", 1e-9]})");
  std::vector<SourceEntry> entries = ReadCedictText(
      "難兄難弟 难兄难弟 [nan4 xiong1 nan4 di4] /(idiom) brothers in misfortune/\n"
      "難兄難弟 难兄难弟 [nan2 xiong1 nan2 di4] /(idiom) two of a kind/\n");
  int unknown = 0;
  CheckReadings(&entries, readings, &unknown);
  EXPECT_EQ(unknown, 0);
  const auto rows = BuildRows(entries, Edition::Gb);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE(rows[0].otherReading.isEmpty()) << "one of its own readings: " << rows[0].otherReading.toStdString();
}

TEST(Editions, TheMatcherReadsTheStoredRowsAndTheTableAlikeAndTheTableWhenTheRowsFail) {
  std::vector<SourceEntry> entries = ReadCedictText(
      "畫龍點睛 画龙点睛 [hua4 long2 dian3 jing1] /(idiom) to add the finishing touch/\n"
      "一馬當先 一马当先 [yi1 ma3 dang1 xian1] /(idiom) to take the lead/\n"
      "愛屋及烏 爱屋及乌 [ai4 wu1 ji2 wu1] /(idiom) love me, love my dog/\n"
      "心想事成 心想事成 [xin1 xiang3 shi4 cheng2] /(idiom) to have one's wishes come true/\n");
  QTemporaryDir dir;
  const QString path = dir.filePath("rows.dat");
  const IdiomList list = OpenBuiltEdition(entries, path);
  ASSERT_TRUE(list.IsPaged());
  const auto contents = [](const IdiomMatcher &matcher) {
    QStringList seen;
    for (int row = 0; row < matcher.size(); ++row)
      seen << matcher.IdiomAt(row) + "|" + matcher.ReadingAt(row) + "|" + matcher.OtherScriptAt(row);
    for (const QString key : {"hualong", "ymdx", "愛屋", "*想?成"})
      for (const IdiomMatcher::Match &match : matcher.Find(key)) seen << key + ">" + matcher.IdiomAt(match.row);
    return seen;
  };
  const QStringList stored = contents(MatcherSource(list, ConnString())());
  ASSERT_EQ(stored.size(), 4 + 4) << stored.join(", ").toStdString();
  QString error;
  const auto writer = SqlConnection::Open(path, kDatabasePassword, SqlConnection::Mode::Create, &error);
  ASSERT_NE(writer, nullptr) << error.toStdString();
  QStringList rows, spells;
  ASSERT_TRUE(ForEachStoredIdiom(*writer, [&](const QString &idiom, const QString &spell) {
    rows << idiom;
    spells << spell;
  })) << "the builder stores the rows";
  ASSERT_EQ(rows.size(), 4);
  // As many rows as the table's, but each idiom one place on, or each reading.
  const auto storedAs = [](const QStringList &idioms, const QStringList &readings) {
    QStringList lines;
    for (qsizetype i = 0; i < idioms.size(); ++i) lines << "'" + idioms[i] + "' || char(31) || '" + readings[i] + "'";
    return "UPDATE VelmoraSearch SET Data = CAST(" + lines.join(" || char(10) || ") + " AS BLOB) WHERE Name = 'rows'";
  };
  const QString rotated = storedAs(rows.mid(1) + rows.mid(0, 1), spells.mid(1) + spells.mid(0, 1));
  const QString shifted = storedAs(rows, spells.mid(1) + spells.mid(0, 1));
  for (const QString damage : {rotated, shifted}) {
    ASSERT_TRUE(writer->Execute(damage, &error)) << error.toStdString();
    EXPECT_EQ(contents(MatcherSource(list, ConnString())()), stored) << damage.toStdString();
  }
  for (const char *damage : {"UPDATE VelmoraSearch SET Data = CAST('一马当先' AS BLOB) WHERE Name = 'rows'",
                             "UPDATE VelmoraSearch SET Data = CAST('一马当先' || char(31) || 'yī' AS BLOB) "
                             "WHERE Name = 'rows'",
                             "DELETE FROM VelmoraSearch WHERE Name = 'rows'"}) {
    ASSERT_TRUE(writer->Execute(QString::fromUtf8(damage), &error)) << error.toStdString();
    EXPECT_EQ(contents(MatcherSource(list, ConnString())()), stored) << damage;
  }
  CloseDatabase();
}

TEST(StrokeFile, CharactersAreWrittenWithTheirStrokesAndEntriesAndReadOneAtATime) {
  QTemporaryDir dir;
  const QDir folder(dir.path());
  const auto write = [&folder](const QString &name, const QByteArray &bytes) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  // Two characters as hanzi-writer-data gives them, one of them unknown to CC-CEDICT.
  write("一.json", R"({"strokes": ["M 100 400 Q 500 420 900 400 Z"], "medians": [[[100, 400], [900, 400]]],
                       "radStrokes": [0]})");
  write("睛.json",
        R"({"strokes": ["M 1 2 L 3 4 Z", "M 5 6 L 7 8 Z"], "medians": [[[1, 2], [3, 4]], [[5, 6], [7, 8]]]})");
  const QByteArray cedict = R"(export default {"all":[["一","一","yi1",["one","1"]],["睛","睛","jing1","eye"],)"
                            R"(["龍","龙","long2","dragon"]]};)";
  const StrokeFileFacts facts =
      WriteStrokeFile(folder.filePath("strokes.dat"), {"一", "睛", "龙", "鱻"}, folder.path(), cedict);
  EXPECT_EQ(facts.characters, 3) << "鱻, known to neither, is left out";
  EXPECT_EQ(facts.withStrokes, 2);
  auto file = velmora::StrokeFile::Open(folder.filePath("strokes.dat"));
  ASSERT_NE(file, nullptr);
  const auto eye = file->Find("睛");
  ASSERT_TRUE(eye.has_value());
  EXPECT_EQ(eye->strokes, (QStringList{"M1 2L3 4Z", "M5 6L7 8Z"}));
  ASSERT_EQ(eye->medians.size(), 2u);
  EXPECT_EQ(eye->medians[1].back(), QPointF(7, 8));
  ASSERT_EQ(eye->senses.size(), 1u);
  EXPECT_EQ(eye->senses[0].reading, "jīng");
  EXPECT_EQ(file->Find("一")->senses[0].english, "one; 1");
  const auto dragon = file->Find("龙");
  ASSERT_TRUE(dragon.has_value()) << "a character with an entry but no strokes still has its card's words";
  EXPECT_TRUE(dragon->strokes.isEmpty());
  EXPECT_FALSE(file->Find("鱻").has_value());
  EXPECT_FALSE(file->Find("一二").has_value());
  // A file cut short, or of another kind, opens as none.
  QFile whole(folder.filePath("strokes.dat"));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  write("cut.dat", whole.read(20));
  EXPECT_EQ(velmora::StrokeFile::Open(folder.filePath("cut.dat")), nullptr);
  EXPECT_EQ(velmora::StrokeFile::Open(folder.filePath("一.json")), nullptr);
}

// A stroke file made by hand, as a damaged or hostile one would be: each
// record's JSON as given, and the index claiming `claimed` characters.
QByteArray HandMadeStrokeFile(const std::vector<std::pair<char32_t, QByteArray>> &records, uint32_t claimed) {
  const auto le32 = [](uint32_t value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
  };
  QByteArray index, body;
  const qsizetype header = sizeof(velmora::StrokeFile::kMagic) - 1 + 8 + 12 * static_cast<qsizetype>(records.size());
  for (const auto &[code, json] : records) {
    const QByteArray packed = velmora::DeflateWith(json, {});
    index +=
        le32(code) + le32(static_cast<uint32_t>(header + body.size())) + le32(static_cast<uint32_t>(packed.size()));
    body += packed;
  }
  return velmora::StrokeFile::kMagic + le32(0) + le32(claimed) + index + body;
}

TEST(StrokeFile, RecordsNoCharacterHasAndFilesThatAreNoFilesAreRefused) {
  QTemporaryDir dir;
  const auto strokes = [](int count, const QByteArray &path) {
    QByteArray json = R"({"s":[)";
    for (int i = 0; i < count; ++i) json += (i ? "," : "") + ("\"" + path + "\"");
    return json + "]}";
  };
  const QString path = dir.filePath("strokes.dat");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(HandMadeStrokeFile({{U'一', strokes(1, "M1 2L3 4Z")},
                                 {U'二', strokes(3000, "M1 2L3 4Z")},
                                 {U'三', strokes(1, R"(M1 2\"/><image href=\"file:///etc/passwd)")}},
                                3));
  file.close();
  auto opened = velmora::StrokeFile::Open(path);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->Find("一")->strokes, QStringList{"M1 2L3 4Z"});
  EXPECT_FALSE(opened->Find("二").has_value()) << "3,000 strokes";
  EXPECT_FALSE(opened->Find("三").has_value()) << "markup in a path";
  // An index claiming millions of characters is not read whole.
  QFile claims(dir.filePath("claims.dat"));
  ASSERT_TRUE(claims.open(QIODevice::WriteOnly));
  claims.write(HandMadeStrokeFile({{U'一', strokes(1, "M1 2L3 4Z")}}, 20000000));
  claims.write(QByteArray(20 << 20, '\0'));
  claims.close();
  EXPECT_EQ(velmora::StrokeFile::Open(claims.fileName()), nullptr);
  // A pipe opens as none, without waiting for a writer.
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo.dat")).constData(), 0600), 0);
  EXPECT_EQ(velmora::StrokeFile::Open(dir.filePath("fifo.dat")), nullptr);
}

}  // namespace

TEST(Cedict, TakesIdiomsOnlyWithToneMarks) {
  const auto entries = ReadCedictIdioms(kCedictModule);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].traditional, "一馬當先");
  EXPECT_EQ(entries[0].simplified, "一马当先");
  EXPECT_EQ(entries[0].spell, "yī mǎ dāng xiān");
  EXPECT_EQ(entries[2].english, "(idiom) illiterate; unlettered");
  EXPECT_FALSE(entries[2].note);
  EXPECT_EQ(entries[3].spell, "yī nán bàn nǚ");
  EXPECT_THROW(ReadCedictIdioms("not a module"), std::exception);
}

TEST(Cedict, EntriesOfOtherShapesReadAsFromAWholeDocument) {
  const QByteArray module =
      R"(export default {"all":[["舊","旧","jiu4","(idiom) the first list",[],[]]], "n": 1, "all":[
["一馬當先","一马当先","yi1 ma3 dang1 xian1",["(idiom) to lead", 5, ["x"], "first"],[],[]],
["七嘴八舌",null,"qi1 zui3 ba1 she2","(idiom) all talking at once"],
["三心二意","三心二意","san1 xin1 er4 yi4"],
{"0":"(idiom) no list"},
["四面八方","四面八方",{"x":1},"(idiom) all around",7]
]};)";
  const auto entries = ReadCedictIdioms(module);
  ASSERT_EQ(entries.size(), 2u) << "the last list counts; no simplified form, too few items, no list: passed over";
  EXPECT_EQ(entries[0].simplified, "一马当先");
  EXPECT_EQ(entries[0].english, "(idiom) to lead; ; ; first");
  EXPECT_EQ(entries[1].simplified, "四面八方");
  EXPECT_EQ(entries[1].spell, "");
  const auto failure = [](const QByteArray &text) {
    try {
      ReadCedictIdioms(text, "all.js");
    } catch (const SourceError &error) {
      return error.Text();
    }
    return QString();
  };
  EXPECT_EQ(failure("export default {\"all\":[\n[\"a\" \"b\"]]};"),
            "all.js, line 2, column 8: the CC-CEDICT data is damaged here");
  EXPECT_TRUE(failure("export default {\"all\":[], \"all\":{}};").endsWith("(no list of entries)"));
}

TEST(Cedict, MergesEntriesThatShareTheIdiomAndKeepsAllReadings) {
  const auto rows = BuildRows(ReadCedictIdioms(kCedictModule), Edition::Gb);
  ASSERT_EQ(rows.size(), 3u);
  const auto ding = std::find_if(rows.begin(), rows.end(), [](const IdiomRow &r) { return r.idiom == "一丁不识"; });
  ASSERT_NE(ding, rows.end());
  EXPECT_EQ(ding->spell, "yī dīng bù shí; yī dīng bù shì");
  EXPECT_EQ(ding->note, "illiterate; unlettered");  // the tag goes, each definition once
  EXPECT_EQ(ding->firstA, "Y");
  EXPECT_EQ(ding->initial, "YDBS");
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].code, static_cast<long long>(i + 1));
  const auto big5 = BuildRows(ReadCedictIdioms(kCedictModule), Edition::Big5);
  EXPECT_TRUE(std::any_of(big5.begin(), big5.end(), [](const IdiomRow &r) { return r.idiom == "一馬當先"; }));
}

TEST(IdiomJson, NoValueMarkersBecomeNullAndBig5IsConverted) {
  const QByteArray json = R"([
    {"word":"爱不释手","pinyin":"ài bù shì shǒu","explanation":"喜爱得舍不得放手","derivation":"无","example":"无"},
    {"word":"一马当先","pinyin":"yī mǎ dāng xiān","explanation":"作战时策马冲在最前面","derivation":"《水浒传》","example":""},
    {"pinyin":"no word"}
  ])";
  const auto entries = ReadIdiomJson(json);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_FALSE(entries[0].source.has_value());
  EXPECT_FALSE(entries[0].example.has_value());
  EXPECT_FALSE(entries[1].example.has_value());
  const auto rows = BuildRows(InTraditional(entries, 0, entries.size(), nullptr), Edition::Big5);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].idiom, "愛不釋手");
  EXPECT_EQ(rows[0].note, "喜愛得捨不得放手");
  EXPECT_EQ(rows[1].idiom, "一馬當先");
  EXPECT_EQ(rows[1].source, "《水滸傳》");
  EXPECT_THROW(ReadIdiomJson("{}"), std::exception);
}

TEST(Edition, FileIsKeyedAndRecordsItsCollation) {
  test::TestInstall install;
  install.WriteEdition("Velmdict_cn.dat");
  QString error;
  EXPECT_EQ(SqlConnection::Open(install.file("Data/Velmdict_cn.dat"), "other", SqlConnection::Mode::ReadOnly, &error),
            nullptr);
  EXPECT_TRUE(error.contains("26")) << error.toStdString();
  auto db = SqlConnection::Open(install.file("Data/Velmdict_cn.dat"), kDatabasePassword, SqlConnection::Mode::ReadOnly,
                                &error);
  ASSERT_NE(db, nullptr);
  EXPECT_TRUE(db->HasTable("VELM"));
  ConnString() = BuildConnString(install.file("Data/Velmdict_cn.dat"));
  EXPECT_EQ(OpenRS("SELECT Value FROM VelmoraInfo WHERE Name='collation'", false).Text("Value"),
            QString::fromLatin1(kZhCollationDescription));
  CloseDatabase();
}

TEST(Edition, SharedSampleBuildsWithUniqueIdiomsInPinyinOrder) {
  QFile sample(QStringLiteral(VELMORA_SHARED_DATA) + "/idioms-sample.json");
  if (!sample.open(QIODevice::ReadOnly)) GTEST_SKIP() << "the shared sample data is not here";
  const auto rows = BuildRows(ReadIdiomJson(sample.readAll()), Edition::Gb);
  EXPECT_GT(rows.size(), 8000u);
  QSet<QString> seen;
  for (const IdiomRow &row : rows) {
    EXPECT_FALSE(seen.contains(row.idiom));
    seen.insert(row.idiom);
  }
  EXPECT_EQ(rows.front().firstA, "A");
}

TEST(CedictNotation, CrossReferencesReadInTheEditionsScriptAndTheTagGoes) {
  struct Case {
    const char *raw, *gb, *big5;
  };
  const Case cases[] = {
      {"(idiom) lit. to lie on firewood and taste gall, like 勾踐|勾践[Gou1 Jian4]",
       "lit. to lie on firewood and taste gall, like 勾践 (Gōu Jiàn)",
       "lit. to lie on firewood and taste gall, like 勾踐 (Gōu Jiàn)"},
      {"see 一丁不識|一丁不识[yi1 ding1 bu4 shi2]; (idiom) illiterate", "see 一丁不识 (yī dīng bù shí); illiterate",
       "see 一丁不識 (yī dīng bù shí); illiterate"},
      {"lit. the first to charge (idiom); fig. to take the lead", "lit. the first to charge; fig. to take the lead",
       "lit. the first to charge; fig. to take the lead"},
      {"a woman 女[nu:3]", "a woman 女 (nǚ)", "a woman 女 (nǚ)"},
      {"(idiom)", "", ""},
      {"to want; also pr. [yao1]; CL:個|个[ge4]", "to want; also pronounced yāo; measure word: 个 gè",
       "to want; also pronounced yāo; measure word: 個 gè"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(CleanCedictDefinitions(c.raw, false), c.gb) << c.raw;
    EXPECT_EQ(CleanCedictDefinitions(c.raw, true), c.big5) << c.raw;
  }
  // The other script's entry merged in never calls the idiom a variant of itself.
  const QString merged = "as everyone knows; variant of 眾所周知|众所周知[zhong4 suo3 zhou1 zhi1]";
  EXPECT_EQ(CleanCedictDefinitions(merged, false, "众所周知"), "as everyone knows");
  EXPECT_EQ(CleanCedictDefinitions(merged, true, "眾所周知"), "as everyone knows");
  EXPECT_EQ(CleanCedictDefinitions(merged, false, "众人皆知"),
            "as everyone knows; variant of 众所周知 (zhòng suǒ zhōu zhī)")
      << "another idiom's variant stays";
}

TEST(CedictNotation, TheCardReadsMarkupAsWordsOfTheInterfaceLanguage) {
  const CedictWords chinese{"量词：%1", "同“%1”%2", "又读 %1", "，"};
  EXPECT_EQ(RenderCedictMarkup("picture; CL:幅[fu2],張|张[zhang1]", chinese), "picture; 量词：幅 fú，张 zhāng");
  EXPECT_EQ(RenderCedictMarkup("variant of 劃|划[hua4]", chinese), "同“划”huà");
  EXPECT_EQ(RenderCedictMarkup("to want; also pr. [yao1]", chinese), "to want; 又读 yāo");
  EXPECT_EQ(RenderCedictMarkup("see 勾踐|勾践[Gou1 Jian4]", CedictWords{}, true), "see 勾踐 (Gōu Jiàn)");
  EXPECT_EQ(RenderCedictMarkup("variant of 劃|划[hua4]", CedictWords{}), "variant of 划 (huà)");
  EXPECT_EQ(RenderCedictMarkup("one; 1", chinese), "one; 1");
}

TEST(Sources, TwoSourcesMergeChineseTextsFirstAndEnglishOnALineOfItsOwn) {
  std::vector<SourceEntry> entries = {
      {"一马当先", "", "yī mǎ dāng xiān", "作战时策马冲在最前面", "《水浒传》", std::nullopt, std::nullopt},
      {"爱不释手", "", "ài bù shì shǒu", "喜爱得舍不得放手", std::nullopt, std::nullopt, std::nullopt}};
  for (const SourceEntry &english :
       ReadCedictText("一馬當先 一马当先 [yi1 ma3 dang1 xian1] /(idiom) to take the lead/\n"
                      "刻舟求劍 刻舟求剑 [ke4 zhou1 qiu2 jian4] /(idiom) a foolish insistence/\n"))
    entries.push_back(english);
  const auto rows = BuildRows(entries, Edition::Gb);
  ASSERT_EQ(rows.size(), 3u);
  const auto row = [&rows](const QString &idiom) {
    return *std::find_if(rows.begin(), rows.end(), [&](const IdiomRow &r) { return r.idiom == idiom; });
  };
  EXPECT_EQ(row("一马当先").note, "作战时策马冲在最前面\nto take the lead");
  EXPECT_EQ(row("一马当先").source, "《水浒传》");
  EXPECT_EQ(row("一马当先").spell, "yī mǎ dāng xiān");  // the same reading once
  EXPECT_EQ(row("爱不释手").note, "喜爱得舍不得放手");
  EXPECT_EQ(row("刻舟求剑").note, "a foolish insistence");
}

TEST(Sources, MalformedSourcesAreToldWithTheirLineInWords) {
  const auto message = [](const std::function<void()> &read) {
    try {
      read();
    } catch (const SourceError &error) {
      return error.Text();
    }
    return QString();
  };
  EXPECT_EQ(message([] { ReadIdiomJson("[\n  {\"word\": \"一马当先\"},\n  {\"word\" \"x\"}\n]", "idioms.json"); }),
            "idioms.json, line 3, column 13: this is not valid JSON here");  // on the token "x"
  EXPECT_EQ(message([] { ReadIdiomJson("[{\"word\": \"一马", "cut.json"); }),
            "cut.json, line 1, column 14: the JSON ends too early");
  EXPECT_EQ(
      message([] {
        ReadCedictText("# comment\n一馬當先 一马当先 [yi1 ma3 dang1 xian1] /(idiom) to lead/\n一馬當先 [yi1] to lead\n",
                       "cedict_ts.u8");
      }),
      "cedict_ts.u8, line 3: this line is not a CC-CEDICT entry (traditional simplified [pin1 yin1] /definition/)");
  QTemporaryDir dir;
  QFile empty(dir.filePath("empty.json"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly) && empty.write("[]") == 2);
  empty.close();
  EXPECT_EQ(message([&] { LoadSource(dir.filePath("empty.json"), SourceKind::Any); }),
            dir.filePath("empty.json") + ": the file holds no idioms");
  EXPECT_EQ(message([&] { LoadSource(dir.filePath("none.json"), SourceKind::Any); }),
            dir.filePath("none.json") + ": there is no such file");
}

TEST(Sources, HostileJsonIsRefusedWithItsPlaceAndNeverTakesTheProcessDown) {
  const auto message = [](const QByteArray &json) {
    try {
      ReadIdiomJson(json, "hostile.json");
    } catch (const SourceError &error) {
      return error.Text();
    }
    return QString("read");
  };
  // Deep nesting anywhere: the list, a field, the synonyms, JSON Lines.
  const QByteArray deep = QByteArray(100000, '[') + QByteArray(100000, ']');
  EXPECT_EQ(message(deep), "hostile.json, line 1, column 33: the JSON nests deeper than 32 levels here");
  EXPECT_TRUE(
      message("[{\"word\":\"画蛇添足\",\"pinyin\":\"hua4\",\"synonyms\":" + deep + "}]").contains("nests deeper"));
  EXPECT_TRUE(message("{\"word\":\"画蛇添足\"}\n{\"a\":" + QByteArray(5000, '{')).contains("nests deeper"));
  // Brackets inside texts are no nesting.
  EXPECT_EQ(message("[{\"word\":\"画蛇添足\",\"pinyin\":\"hua4 she2 tian1 zu2\",\"example\":\"" + QByteArray(100, '[') +
                    "\\\"]\"}]"),
            "read");
  EXPECT_EQ(message("[{\"word\":\"画蛇添足\",\"pinyin\":\"hua4 she2 tian1 zu2\",\"n\":1e999}]"),
            "hostile.json, line 1, column 52: this number is too large");
}

TEST(Sources, OnlyARegularFileOfBoundedSizeIsRead) {
  QTemporaryDir dir;
  test::TestInstall install;
  InstallPath() = install.path();
  // A word list that is a device or a pipe reads as none, at once.
  const QString words = install.file("Data/words.txt");
  QDir().mkpath(install.file("Data"));
  ASSERT_TRUE(QFile::link("/dev/zero", words));
  EXPECT_EQ(InstalledWordList().size(), 0);
  QFile::remove(words);
  ASSERT_EQ(mkfifo(words.toLocal8Bit().constData(), 0600), 0);
  EXPECT_EQ(InstalledWordList().size(), 0);
  EXPECT_THROW(ReadSourceFile(words), SourceError);
  // A file over the cap is refused without being read.
  QFile large(dir.filePath("large.json"));
  ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(kLargestSourceFile + 1));
  large.close();
  try {
    ReadSourceFile(large.fileName());
    ADD_FAILURE() << "read";
  } catch (const SourceError &error) {
    EXPECT_TRUE(error.Text().contains("larger than 256 MB")) << error.Text().toStdString();
  }
}

TEST(Editions, BothAreBuiltSideBySideWithOneProgressAndTheFirstFailureTold) {
  LoadedSource source;
  source.entries = {
      {"一马当先", "", "yī mǎ dāng xiān", "作战时策马冲在最前面", "《水浒传》", std::nullopt, std::nullopt},
      {"爱不释手", "", "ài bù shì shǒu", "喜爱得舍不得放手", std::nullopt, std::nullopt, std::nullopt}};
  QTemporaryDir dir;
  std::vector<double> reported;
  BuildControl control;
  control.progress = [&reported](double done) { reported.push_back(done); };
  BuildEditions({source}, {dir.filePath("gb.dat"), dir.filePath("big5.dat")}, kDatabasePassword, control);
  EXPECT_EQ(CountIdioms(dir.filePath("gb.dat"), kDatabasePassword), 2);
  EXPECT_EQ(CountIdioms(dir.filePath("big5.dat"), kDatabasePassword), 2);
  {
    // Each half of the conversion, done on a thread of its own, is there.
    auto big5 =
        SqlConnection::Open(dir.filePath("big5.dat"), kDatabasePassword, SqlConnection::Mode::ReadOnly, nullptr);
    ASSERT_NE(big5, nullptr);
    RecordSet rows;
    ASSERT_EQ(big5->Fetch("SELECT Idiom || '=' || Note AS Row FROM VELM ORDER BY Code", {}, &rows), 0);
    QStringList found;
    for (; !rows.EOF_(); rows.MoveNext()) found << rows.Text("Row");
    EXPECT_EQ(found, (QStringList{"愛不釋手=喜愛得捨不得放手", "一馬當先=作戰時策馬衝在最前面"}));
  }
  ASSERT_FALSE(reported.empty());
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end())) << "the two builds make one progress";
  EXPECT_EQ(reported.back(), 1.0);
  // The traditional edition cannot be written: its failure is what is told,
  // not the stop it caused in the other build.
  const QString nowhere = dir.filePath("missing/folder/big5.dat");
  try {
    BuildEditions({source}, {dir.filePath("gb2.dat"), nowhere}, kDatabasePassword, {});
    ADD_FAILURE() << "an edition that cannot be written fails the build";
  } catch (const SourceError &error) {
    EXPECT_TRUE(error.Text().contains("missing/folder")) << error.Text().toStdString();
  }
}

// Keys made from the texts themselves, a row's worth at a time: characters
// and runs of them, its English words, pairs of words far apart, and keys
// with nothing to find.
QStringList MeaningKeys(const std::vector<IdiomRow> &rows) {
  QStringList keys = {"一 心", "to lead", "LEAD to", "idiom", "。", "Ⅻ", "the of", "lit.fig", "比喻 OR 人"};
  for (size_t i = 0; i < rows.size(); i += 37) {
    const QString note = rows[i].note.value_or(QString());
    for (int length = 1; length <= 4 && note.size() > 8; ++length) keys << note.mid(length * 2, length);
    const QStringList words = note.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() > 3) keys << words[1] << words[1] + " " + words[2] << words.last() + " " + words.first();
  }
  return keys;
}

TEST(MeaningSearch, TheWordIndexFindsExactlyWhatAFullTextTableFinds) {
  std::vector<SourceEntry> entries = ReadCedictIdioms(kCedictModule);
  QFile sample(QStringLiteral(VELMORA_SHARED_DATA) + "/idioms-sample.json");
  const std::vector<SourceEntry> rich =
      sample.open(QIODevice::ReadOnly) ? ReadIdiomJson(sample.readAll()) : SyntheticIdioms(3000);
  entries.insert(entries.end(), rich.begin(),
                 rich.begin() + static_cast<ptrdiff_t>(std::min<size_t>(rich.size(), 3000)));
  test::TestInstall install;
  const auto rows = BuildRows(entries, Edition::Gb);
  WriteEdition(rows, install.file("index.dat"), kDatabasePassword, "test");
  ASSERT_TRUE(QFile::copy(install.file("index.dat"), install.file("table.dat")));
  {
    // The other file as editions of earlier builders were: the same rows'
    // texts in a full-text table, and no word index.
    auto db = SqlConnection::Open(install.file("table.dat"), kDatabasePassword, SqlConnection::Mode::Create, nullptr);
    ASSERT_NE(db, nullptr);
    ASSERT_TRUE(
        db->Execute("DELETE FROM VelmoraSearch WHERE Name = 'meaning';"
                    "CREATE VIRTUAL TABLE VelmoraText USING fts4(Body, content=\"\", tokenize=unicode61);"));
    for (const IdiomRow &row : rows) {
      const QString body = MeaningText(row.note, row.source, row.example);
      RecordSet none;
      ASSERT_EQ(db->Fetch("INSERT INTO VelmoraText (rowid, Body) VALUES (?, ?)", {row.code, body}, &none), 0);
    }
  }
  {
    // A row of a code far past the list, as a damaged or hostile file may hold.
    auto db = SqlConnection::Open(install.file("table.dat"), kDatabasePassword, SqlConnection::Mode::Create, nullptr);
    RecordSet none;
    ASSERT_EQ(db->Fetch("INSERT INTO VelmoraText (rowid, Body) VALUES (?, 'zzfar')", {1LL << 40}, &none), 0);
  }
  const QStringList keys = MeaningKeys(rows);
  std::vector<std::vector<int>> byIndex;
  test::UseDatabase(install.file("index.dat"));
  for (const QString &key : keys) byIndex.push_back(RowsMatchingMeaning(key, key.size() % 2 ? 200 : 7));
  test::UseDatabase(install.file("table.dat"));
  size_t found = 0;
  for (qsizetype i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(byIndex[static_cast<size_t>(i)], RowsMatchingMeaning(keys[i], keys[i].size() % 2 ? 200 : 7))
        << keys[i].toStdString();
    found += byIndex[static_cast<size_t>(i)].size();
  }
  EXPECT_GT(found, keys.size()) << "the keys find rows";
  EXPECT_TRUE(RowsMatchingMeaning("zzfar").empty()) << "a row past the list is no row";
  CloseDatabase();
}

TEST(MeaningSearch, APhraseLedByItsRarestWordFindsTheRowsWhereItsWordsStandTogether) {
  // 的 in every row, 画 in a few: the phrase is led by 画, the second word.
  MeaningIndexBuilder builder;
  for (long long code = 1; code <= 12; ++code) {
    std::vector<std::pair<const char *, int>> words = {{"的", 5}};
    if (code == 3) words = {{"的", 5}, {"画", 6}};
    if (code == 7) words = {{"画", 2}, {"的", 5}};  // both, not together
    if (code == 9) words = {{"画", 0}, {"的", 5}};  // 画 first: nothing stands before it
    if (code == 11) words = {{"的", 0}, {"画", 1}, {"的", 5}};
    for (const auto &[word, place] : words) builder.Add(code, word, place);
  }
  const auto index = MeaningIndex::Open(std::make_shared<MemoryBytes>(builder.Serialize()), 12);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->RowsWithPhrase({"的", "画"}), (std::vector<long long>{3, 11}));
  EXPECT_EQ(index->RowsWithPhrase({"的", "画"}, 1), std::vector<long long>{3}) << "cut at the limit, in code order";
  EXPECT_EQ(index->RowsWithPhrase({"画", "的"}), std::vector<long long>{}) << "never 画 before 的 here";
  EXPECT_EQ(index->RowsWithEvery({{"的"}, {"画"}}), (std::vector<long long>{3, 7, 9, 11}));
  EXPECT_EQ(index->RowsWithEvery({{"画"}, {"的"}}, 2), (std::vector<long long>{3, 7}));
  EXPECT_EQ(index->RowsWithEvery({{"的", "画"}, {"画"}}), (std::vector<long long>{3, 11}));
}

TEST(MeaningSearch, ADamagedWordIndexFindsNothingAndReadsNoFurther) {
  MeaningIndexBuilder builder;
  for (const auto &[code, word, place] : std::vector<std::tuple<long long, const char *, int>>{
           {1, "一", 0}, {1, "心", 1}, {1, "一", 2}, {1, "意", 3}, {4, "心", 0}, {4, "一", 1}})
    builder.Add(code, word, place);
  const QByteArray bytes = builder.Serialize();
  const auto index = MeaningIndex::Open(std::make_shared<MemoryBytes>(bytes), 4);
  ASSERT_TRUE(index);
  EXPECT_EQ(index->RowsWithPhrase({"一", "意"}), std::vector<long long>{1});
  EXPECT_EQ(index->RowsWithPhrase({"心", "一"}), (std::vector<long long>{1, 4}));
  EXPECT_EQ(index->RowsWithEvery({{"意"}, {"心"}}), std::vector<long long>{1});
  EXPECT_TRUE(index->RowsWithEvery({{"心"}, {}}).empty()) << "a word with no letters finds nothing, as in a table";
  EXPECT_FALSE(MeaningIndex::Open(std::make_shared<MemoryBytes>(bytes.left(bytes.size() - 1)), 4));
  for (qsizetype at = 8; at < bytes.size(); ++at) {
    QByteArray damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5a);
    if (const auto opened = MeaningIndex::Open(std::make_shared<MemoryBytes>(damaged), 4))
      for (const char *word : {"一", "心", "意"})
        opened->RowsWithPhrase({word});  // under the sanitizers: no stray read
  }
}

TEST(MeaningSearch, AListThatUnpacksToMoreThanTheEditionCanHoldFindsNothing) {
  // A word in every one of 100,000 rows: a list that packs small and
  // unpacks to hundreds of kilobytes, as an edition of that size holds.
  MeaningIndexBuilder builder;
  for (long long code = 1; code <= 100000; ++code) builder.Add(code, "the", 0);
  const auto bytes = std::make_shared<MemoryBytes>(builder.Serialize());
  EXPECT_EQ(MeaningIndex::Open(bytes, 100000)->RowsWithPhrase({"the"}).size(), 100000u);
  EXPECT_TRUE(MeaningIndex::Open(bytes, 10)->RowsWithPhrase({"the"}).empty()) << "more than ten rows can hold";
  // The saved bombs: 64 MB of zeros claimed, or claimed as 100 bytes.
  for (const char *bomb : {"bomb", "lying_bomb"}) {
    QFile file(QStringLiteral(VELMORA_SOURCE_TESTS "/fuzz/corpus/word_index/") + bomb);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto index = MeaningIndex::Open(std::make_shared<MemoryBytes>(file.readAll()), 1000);
    ASSERT_TRUE(index);
    EXPECT_TRUE(index->RowsWithPhrase({"a"}).empty());
  }
}

TEST(ScriptConverters, ConvertExactlyAsOpenCCsOwnAndFromTwoThreadsAtOnce) {
  QStringList texts = {"头发很长，面条干了", "一马当先；著名的皇后", "后来他出发了。", "English stays",
                       "乾隆年间的干部"};
  QFile sample(QStringLiteral(VELMORA_SHARED_DATA) + "/idioms-sample.json");
  if (sample.open(QIODevice::ReadOnly))
    for (const SourceEntry &entry : ReadIdiomJson(sample.readAll()))
      texts << entry.simplified << entry.note.value_or(QString()) << entry.example.value_or(QString());
  for (const char *configuration : {"s2t.json", "t2s.json"}) {
    const opencc_t reference = opencc_open(configuration);
    ASSERT_NE(reference, reinterpret_cast<opencc_t>(-1));
    QStringList expected;
    for (const QString &text : texts) {
      const QByteArray utf8 = text.toUtf8();
      char *converted = opencc_convert_utf8(reference, utf8.constData(), static_cast<size_t>(utf8.size()));
      expected << QString::fromUtf8(converted);
      opencc_convert_utf8_free(converted);
    }
    opencc_close(reference);
    const ScriptConverter converter(configuration);
    const auto convertAll = [&converter, &texts] {
      QStringList converted;
      for (const QString &text : texts) converted << converter.Convert(text);
      return converted;
    };
    auto other = std::async(std::launch::async, convertAll);
    EXPECT_EQ(convertAll(), expected) << configuration;
    EXPECT_EQ(other.get(), expected) << configuration;
    // Many at once: a text of several lines, an empty one, and a word of
    // the dictionary cut by a line break convert as they do alone.
    const QStringList batch = texts + QStringList{"第一行\n头发很长\n", "", "头\n发", "乾\n"};
    QStringList alone;
    for (const QString &text : batch) alone << converter.Convert(text);
    EXPECT_EQ(converter.ConvertAll(batch), alone) << configuration;
    EXPECT_EQ(alone.mid(0, texts.size()), expected) << configuration;
  }
}

TEST(Edition, StoredLinesReadAPieceAtATimeAreTheLinesReadWhole) {
  test::TestInstall install;
  install.WriteEdition("Velmdict_cn.dat", SyntheticIdioms(6000));  // other-script lines past one 64 KB piece
  auto db = SqlConnection::Open(install.file("Data/Velmdict_cn.dat"), kDatabasePassword, SqlConnection::Mode::ReadOnly,
                                nullptr);
  ASSERT_NE(db, nullptr);
  const QByteArray whole = ReadOtherScriptLines(*db);
  ASSERT_GT(whole.size(), 64 * 1024);
  QList<QByteArray> pieced;
  EXPECT_TRUE(ForEachLineOfSearchData(*db, kSearchOtherScript,
                                      [&pieced](QByteArrayView line) { pieced << line.toByteArray(); }));
  EXPECT_EQ(pieced, whole.split('\n'));
  EXPECT_FALSE(ForEachLineOfSearchData(*db, "no such data", [](QByteArrayView) {}));
}

// The stored indexes stay in the file: the finder reads the keys it
// compares from there, and finds as a finder built from the rows.
TEST(Edition, FinderOverTheStoredIndexesInTheFileFindsAsOneBuiltFromTheRows) {
  test::TestInstall install;
  install.WriteEdition("Velmdict_cn.dat", SyntheticIdioms(3000));
  std::shared_ptr<SqlConnection> db = SqlConnection::Open(install.file("Data/Velmdict_cn.dat"), kDatabasePassword,
                                                          SqlConnection::Mode::ReadOnly, nullptr);
  ASSERT_NE(db, nullptr);
  const IdiomsAndSpells rows = ReadIdiomsAndSpells(*db);
  IdiomFinder built;
  built.Build(rows.idioms, rows.spells);
  const auto stored = OpenSearchIndexes(db);
  ASSERT_TRUE(stored.has_value());
  db.reset();  // the indexes keep their connection
  const auto inFile = IdiomFinder::FromSources({stored->text, stored->pinyin, stored->initials});
  ASSERT_TRUE(inFile.has_value());
  QStringList keys = {"zzz", "a", "ab", "x"};
  for (int row : {0, 1, 77, 1500, 2999})
    keys << rows.idioms[row] << rows.idioms[row].left(2) << rows.spells[row].section(' ', 0, 1).remove(' ');
  for (const QString &key : keys) EXPECT_EQ(inFile->Find(key), built.Find(key)) << key.toStdString();
  EXPECT_EQ(inFile->Find(rows.idioms[1500]), 1500);
  // A source cut short is refused, not read past its end.
  const QByteArray whole = built.Serialize().pinyin;
  EXPECT_FALSE(PrefixIndex::FromSource(std::make_shared<MemoryBytes>(whole.left(whole.size() - 1))).has_value());
}

TEST(Sources, FilesReadSideBySideComeInTheOrderAskedAndTheFirstFailureIsTold) {
  QTemporaryDir dir;
  const auto write = [&dir](const QString &name, const QByteArray &content) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return file.fileName();
  };
  const QString json = write("idioms.json", R"([{"word":"爱不释手","pinyin":"ài bù shì shǒu"}])");
  const QString cedict = write("all.js", kCedictModule);
  const auto sources = LoadSources({{SourceKind::Any, cedict}, {SourceKind::Any, json}});
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0].format, SourceFormat::CedictModule);
  EXPECT_EQ(sources[1].entries.front().simplified, "爱不释手");
  const QString broken = write("broken.json", "[{");
  try {
    LoadSources({{SourceKind::Any, json}, {SourceKind::Any, broken}, {SourceKind::Any, dir.filePath("none.json")}});
    ADD_FAILURE() << "a source that cannot be read fails the reading";
  } catch (const SourceError &error) {
    EXPECT_TRUE(error.Text().contains("broken.json")) << error.Text().toStdString();
  }
}

TEST(Edition, ABuildThatFailsForRoomLeavesNeitherItsPartNorItsJournal) {
  // A file-size limit makes every write past it fail, as a full disk does.
  test::TestInstall install;
  const QString path = install.file("Velmdict_big5.dat.new");
  install.Write("Velmdict_big5.dat.new.part-journal", "stale journal of an earlier build");
  const auto rows = BuildRows(SyntheticIdioms(20000), Edition::Big5);
  struct rlimit before {};
  getrlimit(RLIMIT_FSIZE, &before);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 256 * 1024;
  setrlimit(RLIMIT_FSIZE, &small);
  bool failed = false;
  try {
    WriteEdition(rows, path, kDatabasePassword, "test");
  } catch (const SourceError &) {
    failed = true;
  }
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(failed);
  EXPECT_EQ(QDir(install.file("")).entryList({"Velmdict_big5.dat*"}, QDir::Files), QStringList());
}
