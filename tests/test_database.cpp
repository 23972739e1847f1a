#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDir>
#include <QFile>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/EditionFacts.h"
#include "data/IdiomStore.h"
#include "data/SqlConnection.h"
#include "data/WordTokens.h"

using namespace velmora;

namespace {

QStringList Column(RecordSet set, const QString &field) {
  QStringList values;
  for (; !set.EOF_(); set.MoveNext()) values << set.Text(field);
  return values;
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
