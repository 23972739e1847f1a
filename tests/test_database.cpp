#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unicode/ucol.h>

#include <QDir>
#include <QFile>
#include <algorithm>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/IdiomStore.h"
#include "data/LibraryPages.h"
#include "data/SqlConnection.h"
#include "data/WordTokens.h"
#include "data/ZhOrder.h"

using namespace velmora;

namespace {

QStringList Column(RecordSet set, const QString &field) {
  QStringList values;
  for (; !set.EOF_(); set.MoveNext()) values << set.Text(field);
  return values;
}

// Resident kilobytes of the mappings of a library that the process cannot
// write: its code and read-only data.
long ReadOnlyResidentKb(const QString &fileNamePrefix) {
  QFile smaps(QStringLiteral("/proc/self/smaps"));
  if (!smaps.open(QIODevice::ReadOnly)) return -1;
  long total = 0;
  bool counted = false;
  for (const QByteArray &line : smaps.readAll().split('\n')) {
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() >= 5 && fields[0].contains('-') && !fields[0].endsWith(':')) {
      const QString path = fields.size() > 5 ? QString::fromUtf8(fields[5]) : QString();
      counted = !fields[1].contains('w') && path.section('/', -1).startsWith(fileNamePrefix);
    } else if (counted && fields[0] == "Rss:") {
      total += fields[1].toLong();
    }
  }
  return total;
}

}  // namespace

class Database : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    install = new test::TestInstall;
    install->WriteEdition("Velmdict_cn.dat");
  }
  static void TearDownTestSuite() {
    CloseDatabase();
    delete install;
  }
  void SetUp() override {
    InstallPath() = install->path();
    test::UseDatabase(install->file("Data/Velmdict_cn.dat"));
    ASSERT_TRUE(DbOpen());
  }
  static test::TestInstall *install;
};
test::TestInstall *Database::install = nullptr;

TEST_F(Database, LetterQueryListsOnlyLettersWithMoreThanOneIdiom) {
  const RecordSet letters = OpenRS(kLetterQuery, true);
  EXPECT_EQ(Column(letters, "FirstA"), QStringList({"A", "B", "Y"}));
  EXPECT_EQ(Column(letters, "NumberOfDups"), QStringList({"3", "3", "3"}));
}

TEST_F(Database, IdiomsOfALetterInPinyinOrder) {
  const RecordSet set = OpenRS(kIdiomsOfLetterQuery, true, {QString("A")});
  EXPECT_EQ(Column(set, "Idiom"), QStringList({"阿鼻地狱", "爱不释手", "按部就班"}));
  EXPECT_EQ(Column(set, "Code"), QStringList({"1", "2", "3"}));
}

TEST_F(Database, AllIdiomsInPinyinOrderAndTheHighestCode) {
  const RecordSet all = OpenRS(kAllIdiomsQuery, false);
  EXPECT_EQ(Column(all, "Idiom"),
            QStringList({"阿鼻地狱", "爱不释手", "按部就班", "百发百中", "半途而废", "不可思议", "刻舟求剑", "旗开得胜",
                         "它's一", "一举两得", "一马当先", "饮水思源", "长治久安"}))
      << "ICU files the polyphone 长 under zhǎng";
  const RecordSet max = OpenRS(kHighestCodeQuery, false);
  EXPECT_EQ(max.Text("Maxcode"), "13");
  const RecordSet byCode = OpenRS(kIdiomByCodeQuery, false, {11LL});
  EXPECT_EQ(byCode.Text("Idiom"), "一马当先");
}

TEST_F(Database, DetailQueryFindsIdiomsWithQuotesAndTellsNullFromEmpty) {
  const QString detail = kDetailQuery;
  const RecordSet quoted = OpenRS(detail, true, {QString("它's一")});
  ASSERT_FALSE(quoted.EOF_());
  EXPECT_EQ(quoted.Text("Note"), "an idiom with a quote");
  const RecordSet lead = OpenRS(detail, true, {QString("一马当先")});
  EXPECT_EQ(lead.Text("spell"), "yī mǎ dāng xiān") << "fields are found without regard to case";
  EXPECT_EQ(lead.Text("Source"), "《水浒传》");
  EXPECT_FALSE(lead.Field("Example").has_value());
  EXPECT_EQ(lead.Text("Example"), "");
  EXPECT_EQ(lead.Text("FirstA"), "Y");
  EXPECT_EQ(lead.Text("Initial"), "YMDX");
  EXPECT_FALSE(lead.Field("NoSuchField").has_value());
  EXPECT_TRUE(OpenRS(detail, true, {QString("不存在")}).EOF_());
}

TEST_F(Database, FailedQueriesGiveClosedSetsAndEndTheirBusySpan) {
  std::vector<bool> busy;
  SetQueryBusyHook([&busy](bool state) { busy.push_back(state); });
  for (const QString query : {"SELEC * FROM VELM", "SELECT * FROM NOPE"}) {
    const RecordSet set = OpenRS(query, true);
    EXPECT_FALSE(set.IsOpen());
    EXPECT_TRUE(set.EOF_());
    EXPECT_EQ(set.Text("Idiom"), "");
    EXPECT_TRUE(LastQueryError().startsWith("OpenRS\n" + query + "\n[1]--")) << LastQueryError().toStdString();
  }
  SetQueryBusyHook({});
  EXPECT_EQ(busy, std::vector<bool>({true, false, true, false}));
}

TEST_F(Database, StoreGivesTypedRecords) {
  const IdiomList listed = AllIdioms();
  ASSERT_EQ(listed.size(), 13);
  EXPECT_EQ(listed.IdiomAt(10), "一马当先");
  EXPECT_EQ(listed.SpellAt(10), "yī mǎ dāng xiān");
  EXPECT_EQ(listed.IdiomAt(13), "");
  EXPECT_EQ(HighestCode(), "13");
  const std::vector<LetterCount> letters = LetterCounts();
  ASSERT_EQ(letters.size(), 3u);
  EXPECT_EQ(letters[2].letter, "Y");
  EXPECT_EQ(letters[2].count, 3);
  const std::vector<FiledIdiom> filed = IdiomsFiledUnder("A");
  ASSERT_EQ(filed.size(), 3u);
  EXPECT_EQ(filed[0].code, "1");
  EXPECT_EQ(filed[0].idiom, "阿鼻地狱");
  const auto record = Record("一马当先");
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->code, "11");
  EXPECT_EQ(record->initial, "YMDX");
  EXPECT_EQ(record->note, "to take the lead");
  EXPECT_EQ(record->source, "《水浒传》");
  EXPECT_EQ(record->example, "");
  EXPECT_FALSE(Record("不存在").has_value());
  EXPECT_EQ(IdiomByCode(11), "一马当先");
  EXPECT_FALSE(IdiomByCode(99).has_value());
}

TEST_F(Database, SecondOpenChangesNothingAndDataFilesStayUntouched) {
  const QString before = ConnString();
  OpenDatabase();
  EXPECT_TRUE(DbOpen());
  EXPECT_EQ(ConnString(), before);
  EXPECT_EQ(OpenRS("INSERT INTO VELM (Code, Idiom) VALUES (99, 'x')", true).IsOpen(), false)
      << "the data file is opened read-only";
  EXPECT_EQ(OpenRS(kHighestCodeQuery, false).Text("Maxcode"), "13");
}

TEST_F(Database, TheCiphersCodeLetGoComesBackWhenAPageIsDecipheredAgain) {
  // Deciphering has mapped libcrypto's code.
  ASSERT_EQ(OpenRS(kHighestCodeQuery, false).Text("Maxcode"), "13");
  const long before = ReadOnlyResidentKb("libcrypto.so");
  ASSERT_GT(before, 0) << "the edition is read through OpenSSL";
  EXPECT_GT(ReleaseLibraryPages("libcrypto.so"), 0u);
  EXPECT_LT(ReadOnlyResidentKb("libcrypto.so"), before);
  EXPECT_EQ(ReleaseLibraryPages("libnot-loaded.so"), 0u);
  // A fresh connection derives its key and deciphers with the code let go.
  QString error;
  const auto again = SqlConnection::Open(ConnStringPart(ConnString(), "Data Source"), "WQZN4718",
                                         SqlConnection::Mode::ReadOnly, &error);
  ASSERT_NE(again, nullptr) << error.toStdString();
  RecordSet rows;
  ASSERT_EQ(again->Fetch(QStringLiteral("SELECT Idiom FROM VELM WHERE Code = 11"), {}, &rows), SQLITE_OK);
  EXPECT_EQ(rows.Text(QStringLiteral("Idiom")), "一马当先");
}

TEST(ConnStringParts, DataSourceMayHoldSemicolons) {
  const QString conn = BuildConnString("/opt/my;dict/Data/Velmdict_cn.dat");
  EXPECT_EQ(ConnStringPart(conn, "Data Source"), "/opt/my;dict/Data/Velmdict_cn.dat");
  EXPECT_EQ(ConnStringPart(conn, "Jet OLEDB:DataBase Password"), "WQZN4718");
  const QString odd = "/opt/Jet OLEDB:DataBase Password=x;Persist Security Info=True;/Data/Velmdict_cn.dat";
  EXPECT_EQ(ConnStringPart(BuildConnString(odd), "Data Source"), odd);
  EXPECT_EQ(ConnStringPart(BuildConnString(odd), "Jet OLEDB:DataBase Password"), "WQZN4718")
      << "a path never changes the password";
  EXPECT_EQ(ConnStringPart(BuildConnString(odd), "Persist Security Info"), "False");
}

TEST_F(Database, BuiltEditionsReadTheListAPageAtATimeWithTheSameRows) {
  const IdiomList paged = AllIdioms();
  ASSERT_TRUE(paged.IsPaged());
  const RecordSet all = OpenRS(kAllIdiomsQuery + "  ", false);  // another text: read whole
  ASSERT_FALSE(all.IsPaged());
  ASSERT_EQ(static_cast<size_t>(paged.size()), all.RowCount());
  for (int row = 0; row < paged.size(); ++row) {
    EXPECT_EQ(paged.IdiomAt(row), all.FieldAt(static_cast<size_t>(row), "Idiom").value_or(""));
    EXPECT_EQ(paged.SpellAt(row), all.FieldAt(static_cast<size_t>(row), "Spell").value_or(""));
  }
}

TEST_F(Database, EditionsStoreEachIdiomInTheOtherScript) {
  const QStringList other = QString::fromUtf8(ReadOtherScriptLines(*DictionaryConnection())).split('\n');
  ASSERT_EQ(other.size(), 13);
  EXPECT_EQ(other[10], "一馬當先");
  EXPECT_EQ(other[0], "阿鼻地獄");
}

TEST(Editions, EarlierBuildersFilesOpenWithTheirCipherAndListWhole) {
  test::TestInstall install;
  QDir().mkpath(install.file("Data"));
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(install.file("Data/old.dat")).constData(), &db), SQLITE_OK);
  // SQLCipher's defaults: 1,024-byte pages, 64,000 key iterations.
  ASSERT_EQ(sqlite3_exec(db,
                         "PRAGMA key = 'WQZN4718'; CREATE TABLE VELM (Code INTEGER PRIMARY KEY, Idiom TEXT, "
                         "FirstA TEXT, Spell TEXT); INSERT INTO VELM VALUES (1, '一马当先', 'Y', 'yī mǎ dāng xiān');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  test::UseDatabase(install.file("Data/old.dat"));
  ASSERT_TRUE(DbOpen());
  const IdiomList list = AllIdioms();
  EXPECT_FALSE(list.IsPaged());
  EXPECT_EQ(list.IdiomAt(0), "一马当先");
  CloseDatabase();
}

// ICU's "zh" collator, ties by bytes: the order editions had before the table.
std::vector<std::string> SortedByIcu(std::vector<std::string> texts) {
  UErrorCode status = U_ZERO_ERROR;
  UCollator *collator = ucol_open("zh", &status);
  std::sort(texts.begin(), texts.end(), [&](const std::string &a, const std::string &b) {
    const UCollationResult order = ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                    static_cast<int32_t>(b.size()), &status);
    return order != UCOL_EQUAL ? order == UCOL_LESS : a < b;
  });
  ucol_close(collator);
  return texts;
}

TEST(ZhOrder, IdiomsSortAsIcusChineseCollatorSortsThem) {
  std::vector<std::string> idioms = {"一马当先",       "重蹈覆辙", "长治久安", "银行",     "行云流水",
                                     "一而再，再而三", "一而再",   "阿鼻地狱", "爱不释手", "按部就班",
                                     "乐不思蜀",       "音乐",     "畫龍點睛", "画龙点睛", "对牛弹琴",
                                     "對牛彈琴",       "一丝不苟", "一丝不挂", "Ａ字",     "A字"};
  // The staged edition's word list holds some twenty thousand idioms.
  QFile words(VELMORA_STAGED_DATA "/words.txt");
  if (words.open(QIODevice::ReadOnly))
    while (!words.atEnd()) {
      const QList<QByteArray> fields = words.readLine().trimmed().split(' ');
      if (fields.size() == 3 && fields[2] == "i") idioms.push_back(fields[0].toStdString());
    }
  std::vector<std::string> byTable = idioms;
  std::sort(byTable.begin(), byTable.end(),
            [](const std::string &a, const std::string &b) { return CompareZhOrder(a, b) < 0; });
  EXPECT_EQ(byTable, SortedByIcu(idioms));
}

TEST(ZhOrder, DistinctTextsNeverTieAndDamagedTextSortsLast) {
  EXPECT_EQ(CompareZhOrder("一马当先", "一马当先"), 0);
  EXPECT_LT(CompareZhOrder("一马", "一马当先"), 0);
  EXPECT_GT(CompareZhOrder("一马当先", "一马"), 0);
  // A full-width comma weighs as a comma: the bytes decide between them.
  EXPECT_EQ(ZhOrderWeights("一而再，再"), ZhOrderWeights("一而再,再"));
  EXPECT_LT(CompareZhOrder("一而再,再", "一而再，再"), 0);
  // Signs, then Chinese characters, then other letters.
  EXPECT_LT(CompareZhOrder("3", "阿"), 0);
  EXPECT_LT(CompareZhOrder("左", "a"), 0);
  // A lone continuation byte, a character cut short: after every character.
  EXPECT_GT(CompareZhOrder("\x80", "\xF0\x9F\x98\x80"), 0);
  EXPECT_GT(CompareZhOrder("\xE4\xB8", "左"), 0);
  EXPECT_LT(CompareZhOrder("\xE4\xB8", "\xE4\xB9"), 0);
}

TEST(Editions, EditionsOrderedByIcuBeforeTheTableStillFindAndOrderTheirIdioms) {
  test::TestInstall install;
  QDir().mkpath(install.file("Data"));
  const QString path = install.file("Data/icu.dat");
  QString error;
  {
    auto db = SqlConnection::Open(path, kDatabasePassword, SqlConnection::Mode::Create, &error);
    ASSERT_TRUE(db) << error.toStdString();
    ASSERT_TRUE(db->Execute(QStringLiteral(
        "CREATE TABLE VELM (Code INTEGER PRIMARY KEY, Idiom TEXT NOT NULL COLLATE zh_pinyin, FirstA TEXT COLLATE "
        "NOCASE, "
        "Initial TEXT, Spell TEXT, Note TEXT, Source TEXT, Example TEXT);"
        "INSERT INTO VELM (Code, Idiom, FirstA) VALUES (1, '重庆火锅', 'C'), (2, '崇高理想', 'C'), (3, '长治久安', "
        "'C');"
        "CREATE UNIQUE INDEX VELM_Idiom ON VELM(Idiom); CREATE INDEX VELM_FirstA ON VELM(FirstA, Idiom);")));
  }
  test::UseDatabase(path);
  ASSERT_TRUE(DbOpen());
  // ICU reads 重庆 as chong, where the table reads 重 as zhong: 崇 first.
  EXPECT_EQ(Column(OpenRS(kIdiomsOfLetterQuery, true, {QString("C")}), "Idiom"),
            QStringList({"重庆火锅", "崇高理想", "长治久安"}));
  const auto record = Record(QStringLiteral("重庆火锅"));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->code, "1");
  CloseDatabase();
}

TEST(WordTokens, TheTokenizerIsFoundWhereItsNameMayOnlyBeBound) {
  // Builds without SQLITE_ENABLE_FTS3_TOKENIZER answer fts3_tokenizer() for
  // a literal name with NULL; this connection is made to behave like them.
  QString error;
  const auto connection = velmora::SqlConnection::OpenPlain(":memory:", 0, &error);
  ASSERT_TRUE(connection) << error.toStdString();
  int enabled = -1;
  sqlite3_db_config(connection->handle(), SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0, &enabled);
  ASSERT_EQ(enabled, 0);
  const auto tokenizer = velmora::WordTokenizer::On(*connection);
  ASSERT_TRUE(tokenizer);
  std::vector<std::string> words;
  for (const auto &token : tokenizer->Tokens("Blessing in disguise")) words.push_back(token.text);
  EXPECT_EQ(words, (std::vector<std::string>{"blessing", "in", "disguise"}));
}
