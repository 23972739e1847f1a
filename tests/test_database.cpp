#include <gtest/gtest.h>

#include <QGuiApplication>

#include "TestInstall.h"
#include "data/Conn.h"
#include "startup/ProgramValues.h"

using namespace velmora;

namespace {

const QString kLetterQuery = QStringLiteral(
    "SELECT First(VELM.FirstA) AS FirstA, Count(VELM.FirstA) AS NumberOfDups FROM VELM GROUP BY "
    "VELM.FirstA HAVING (((Count(VELM.FirstA))>1))");

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
  const RecordSet set = OpenRS(
      "SELECT VELM.Code, VELM.Idiom FROM VELM WHERE VELM.FirstA=? ORDER BY VELM.Idiom", true, {QString("A")});
  EXPECT_EQ(Column(set, "Idiom"), QStringList({"阿鼻地狱", "爱不释手", "按部就班"}));
  EXPECT_EQ(Column(set, "Code"), QStringList({"1", "2", "3"}));
}

TEST_F(Database, AllIdiomsInPinyinOrderAndTheHighestCode) {
  const RecordSet all = OpenRS("SELECT * FROM VELM ORDER BY Idiom ", false);
  EXPECT_EQ(Column(all, "Idiom"),
            QStringList({"阿鼻地狱", "爱不释手", "按部就班", "百发百中", "半途而废", "不可思议", "刻舟求剑",
                         "旗开得胜", "它's一", "一举两得", "一马当先", "饮水思源", "长治久安"}))
      << "ICU files the polyphone 长 under zhǎng";
  const RecordSet max = OpenRS("SELECT max(code) as Maxcode FROM VELM ", false);
  EXPECT_EQ(max.Text("Maxcode"), "13");
  const RecordSet byCode = OpenRS("SELECT * FROM VELM where code=?", false, {11LL});
  EXPECT_EQ(byCode.Text("Idiom"), "一马当先");
}

TEST_F(Database, DetailQueryFindsIdiomsWithQuotesAndTellsNullFromEmpty) {
  const QString detail = "SELECT * FROM VELM WHERE VELM.Idiom=?";
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

TEST_F(Database, FailedQueriesGiveClosedSetsAndRestoreThePointer) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  for (const QString query : {"SELEC * FROM VELM", "SELECT * FROM NOPE"}) {
    const RecordSet set = OpenRS(query, true);
    EXPECT_FALSE(set.IsOpen());
    EXPECT_TRUE(set.EOF_());
    EXPECT_EQ(set.Text("Idiom"), "");
    EXPECT_TRUE(LastQueryError().startsWith("OpenRS\n" + query + "\n[1]--")) << LastQueryError().toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  }
}

TEST_F(Database, SecondOpenChangesNothingAndDataFilesStayUntouched) {
  const QString before = ConnString();
  OpenDatabase();
  EXPECT_TRUE(DbOpen());
  EXPECT_EQ(ConnString(), before);
  EXPECT_EQ(OpenRS("INSERT INTO VELM (Code, Idiom) VALUES (99, 'x')", true).IsOpen(), false)
      << "the data file is opened read-only";
  EXPECT_EQ(OpenRS("SELECT max(code) as Maxcode FROM VELM ", false).Text("Maxcode"), "13");
}

TEST(ConnStringParts, DataSourceMayHoldSemicolons) {
  const QString conn = BuildConnString("/opt/my;dict/Data/Velmdict_cn.dat");
  EXPECT_EQ(ConnStringPart(conn, "Data Source"), "/opt/my;dict/Data/Velmdict_cn.dat");
  EXPECT_EQ(ConnStringPart(conn, "Jet OLEDB:DataBase Password"), "WQZN4718");
}
