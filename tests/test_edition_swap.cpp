// Editions put in place and brought back: a kill at any step leaves editions
// that open under their names and start-up finishes the swap; a damaged
// previous edition is not restored; one import at a time; sources that are
// not regular files or start with a byte-order mark.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/ConnString.h"
#include "data/MeaningSearch.h"
#include "dictionary/IdiomSearch.h"
#include "editions/EditionSwap.h"
#include "editions/SourceError.h"
#include "editions/SourceFile.h"

using namespace velmora;
using namespace velmora::editions;

namespace {

struct SimulatedKill {};

QByteArray Bytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<SourceEntry> FirstIdioms(size_t count) {
  auto entries = test::SmallSource();
  entries.resize(count);
  return entries;
}

class EditionSwap : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir().mkpath(install.file("Data"));
    inUse = {install.file("Data/Velmdict_cn.dat"), install.file("Data/Velmdict_big5.dat")};
    built = {inUse.gb + ".new", inUse.big5 + ".new"};
    for (const QString &path : {inUse.gb, inUse.big5}) test::WriteSmallEdition(path, FirstIdioms(3));
    for (const QString &path : {built.gb, built.big5}) test::WriteSmallEdition(path, FirstIdioms(5));
  }
  void TearDown() override { SetSwapStepHook({}); }
  long long Count(const QString &path) const { return CountIdioms(path, kDatabasePassword); }

  test::TestInstall install;
  EditionPaths inUse, built;
};

TEST_F(EditionSwap, AKillAtAnyStepLeavesEditionsThatOpenAndStartUpFinishesTheSwap) {
  const QStringList steps = {"prepared", "journal", "previous Velmdict_cn.dat", "installed Velmdict_cn.dat",
                             "previous Velmdict_big5.dat"};
  for (const QString &killedAt : steps) {
    SetUp();
    SetSwapStepHook([killedAt](const QString &step) {
      if (step == killedAt) throw SimulatedKill{};
    });
    EXPECT_THROW(ReplaceEditions(built, inUse, kDatabasePassword), SimulatedKill) << killedAt.toStdString();
    SetSwapStepHook({});
    for (const QString &path : {inUse.gb, inUse.big5})
      EXPECT_TRUE(IsSoundEdition(path, kDatabasePassword)) << "killed after " << killedAt.toStdString();
    RecoverInterruptedSwap(install.file("Data"), kDatabasePassword);
    // Killed before the journal the import is simply not done; after it,
    // start-up completes it.
    const long long expected = killedAt == "prepared" ? 3 : 5;
    EXPECT_EQ(Count(inUse.gb), expected) << killedAt.toStdString();
    EXPECT_EQ(Count(inUse.big5), expected) << killedAt.toStdString();
    if (expected == 5) EXPECT_EQ(Count(PreviousEditionPath(inUse.big5)), 3) << killedAt.toStdString();
    EXPECT_FALSE(QFile::exists(install.file("Data/velmora-swap.journal")));
  }
}

TEST_F(EditionSwap, AnEditionLeftOnlyAsPreviousIsPutBackUnderItsName) {
  ReplaceEditions(built, inUse, kDatabasePassword);
  ASSERT_TRUE(QFile::remove(inUse.gb));  // what the old delete-then-rename left after a kill
  RecoverInterruptedSwap(install.file("Data"), kDatabasePassword);
  EXPECT_EQ(Count(inUse.gb), 3);
}

TEST_F(EditionSwap, RestoreSwapsOnlyASoundPreviousEdition) {
  ReplaceEditions(built, inUse, kDatabasePassword);
  RestorePreviousEditions(inUse, kDatabasePassword);
  EXPECT_EQ(Count(inUse.gb), 3);
  EXPECT_EQ(Count(PreviousEditionPath(inUse.gb)), 5);
  EXPECT_EQ(QDir(install.file("Data")).entryList({"*.restore", "*.part", "*.journal"}, QDir::Files), QStringList());

  QFile damaged(PreviousEditionPath(inUse.big5));
  ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
  damaged.write(QByteArray(8192, 'x'));
  damaged.close();
  const QByteArray gb = Bytes(inUse.gb), big5 = Bytes(inUse.big5);
  try {
    RestorePreviousEditions(inUse, kDatabasePassword);
    ADD_FAILURE() << "a damaged previous edition was restored";
  } catch (const SourceError &error) {
    EXPECT_TRUE(error.Text().contains("damaged")) << error.Text().toStdString();
  }
  EXPECT_EQ(Bytes(inUse.gb), gb);
  EXPECT_EQ(Bytes(inUse.big5), big5);
}

TEST_F(EditionSwap, AFailedCopyStopsBeforeAnythingInUseIsTouched) {
  const QByteArray before = Bytes(inUse.gb);
  EXPECT_THROW(KeepAsPrevious(inUse.gb, install.file("NoSuchFolder/Velmdict_cn.dat")), SourceError);
  EXPECT_EQ(Bytes(inUse.gb), before);
}

TEST_F(EditionSwap, OneImportAtATimePerFolder) {
  ImportLock first(install.file("Data")), second(install.file("Data"));
  ASSERT_TRUE(first.TryLock());
  EXPECT_FALSE(second.TryLock());
  first.Unlock();
  EXPECT_TRUE(second.TryLock());
}

TEST_F(EditionSwap, TheJournalIsObeyedOnlyForThePairsASwapWrites) {
  install.Write("Data/notes.txt", "mine");
  install.Write("Data/README", "mine too");
  // Every hostile line, and one a swap writes.
  install.Write("Data/velmora-swap.journal",
                "notes.txt\tREADME\n"
                "Velmdict_big5.dat\tVelmdict_cn.dat\n"
                "velmora-swap.journal\tVelmdict_cn.dat\n"
                "../outside\tVelmdict_cn.dat\n"
                "Velmdict_cn.dat.new\tVelmdict_cn.dat\n");
  ASSERT_TRUE(QFile::remove(built.big5));
  RecoverInterruptedSwap(install.file("Data"), kDatabasePassword);
  EXPECT_EQ(Bytes(install.file("Data/notes.txt")), "mine");
  EXPECT_EQ(Bytes(install.file("Data/README")), "mine too");
  EXPECT_EQ(Count(inUse.gb), 5) << "the swap's own line is finished";
  EXPECT_EQ(Count(inUse.big5), 3) << "not moved over by the other edition";
  EXPECT_FALSE(QFile::exists(install.file("Data/velmora-swap.journal")));
}

TEST_F(EditionSwap, AnImportLockLeftOnAnotherHostGoesStale) {
  // As QLockFile writes it: pid, application, host; made an hour ago.
  install.Write("Data/velmora-import.lock", "4242\nvelmora\nanother-host\n");
  QFile lock(install.file("Data/velmora-import.lock"));
  ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
  ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
  lock.close();
  ImportLock import(install.file("Data"));
  EXPECT_TRUE(import.TryLock());
}

TEST(Sources, APipeIsRefusedAtOnceAndAByteOrderMarkIsSkipped) {
  test::TestInstall install;
  const QString pipe = install.file("source.json");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(LoadSource(pipe, SourceKind::Any), SourceError);
  EXPECT_LT(clock.elapsed(), 5000);

  install.Write("bom.json", "\xEF\xBB\xBF[{\"word\":\"画龙点睛\",\"pinyin\":\"huà lóng diǎn jīng\"}]");
  EXPECT_EQ(LoadSource(install.file("bom.json"), SourceKind::Any).entries.size(), 1u);
  install.Write(
      "cedict_ts.u8",
      "\xEF\xBB\xBF# CC-CEDICT\n畫龍點睛 画龙点睛 [hua4 long2 dian3 jing1] /(idiom) to add the finishing touch/\n");
  EXPECT_EQ(LoadSource(install.file("cedict_ts.u8"), SourceKind::Any).format, SourceFormat::CedictText);
}

TEST(MeaningSearch, OperatorWordsInTheKeyAreWordsToFind) {
  test::TestInstall install;
  auto entries = test::SmallSource();
  entries.push_back(
      {"同甘共苦", "同甘共苦", "tóng gān gòng kǔ", "for better or for worse", std::nullopt, std::nullopt});
  test::WriteSmallEdition(install.file("rich.dat"), entries);
  test::UseDatabase(install.file("rich.dat"));
  const std::vector<int> found = RowsMatchingMeaning("or better");
  EXPECT_EQ(found.size(), 1u);
  for (const char *key : {"OR better", "better OR", "NEAR better", "worse OR better", "\"better"})
    EXPECT_EQ(RowsMatchingMeaning(key), key[0] == 'N' ? std::vector<int>{} : found) << key;
  EXPECT_EQ(MeaningQueries(" AND OR "), QStringList({"\"AND OR\"", "\"AND\" \"OR\""}));
  CloseDatabase();
}

TEST(IdiomSearch, AKeyIsAnsweredOnceWithTheRowToShowAndItsMatches) {
  test::TestInstall install;
  auto entries = test::SmallSource();
  for (auto &entry : entries)
    if (entry.simplified == "一马当先") entry.frequency = 316;  // the one idiom the edition knows as common
  test::WriteSmallEdition(install.file("small.dat"), entries);
  test::UseDatabase(install.file("small.dat"));
  {
    IdiomSearch search;
    bool ready = false;
    QEventLoop waiting;
    QObject::connect(&search, &IdiomSearch::matcherReady, [&] {
      ready = true;
      waiting.quit();
    });
    search.Open(AllIdioms(), ConnString());
    const int hell = search.RowOf("阿鼻地狱");
    ASSERT_GE(hell, 0);
    EXPECT_EQ(search.RowOf("阿鼻"), -1) << "a row of another idiom is not this one's";
    // Before the matcher is made the type-ahead answers alone; the matcher
    // is then made and announced.
    const IdiomSearch::Result early = search.Search(" 阿鼻", false);
    EXPECT_EQ(early.row, hell);
    EXPECT_FALSE(early.matches.has_value());
    QTimer::singleShot(10000, &waiting, &QEventLoop::quit);
    if (!ready) waiting.exec();
    ASSERT_TRUE(ready);
    // A meaning leads to its idiom; a key matching nothing leads nowhere.
    const IdiomSearch::Result meaning = search.Search("deepest hell", false);
    ASSERT_TRUE(meaning.matches.has_value());
    EXPECT_EQ(meaning.row, hell);
    EXPECT_EQ(meaning.matches->front(), (IdiomMatcher::Match{hell, IdiomMatcher::Kind::Meaning}));
    EXPECT_EQ(search.Search("zzzq", false).row, -1);
    EXPECT_TRUE(search.Search("zzzq", false).matches->empty());
    EXPECT_EQ(search.OtherScriptOf("一马当先"), "一馬當先");
    // Matches alike in kind: the common idiom first, though 一举两得 comes first in the list.
    const IdiomSearch::Matches yi = search.Find("yi");
    ASSERT_GE(yi.size(), 2u);
    EXPECT_EQ(search.Matcher().IdiomAt(yi.front().row), "一马当先");
    EXPECT_LT(search.RowOf("一举两得"), search.RowOf("一马当先"));
  }
  CloseDatabase();
}

}  // namespace
