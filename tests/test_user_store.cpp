// The user's favourites and history, the run's back and forward, and the
// flashcard export.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <thread>

#include "TestInstall.h"
#include "data/SqlConnection.h"
#include "data/UserStore.h"
#include "dictionary/FlashcardDeck.h"
#include "reading/BrowseHistory.h"

namespace velmora {
namespace {

QStringList Idioms(const std::vector<UserStore::Entry> &entries) {
  QStringList idioms;
  for (const auto &entry : entries) idioms << entry.idiom;
  return idioms;
}

class UserStoreTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath("user/velmora.db"); }
};

TEST_F(UserStoreTest, FavouritesAndHistoryAreKeptPerEditionNewestFirst) {
  {
    UserStore store(path(), "velmdict_cn.dat");
    ASSERT_TRUE(store.IsAvailable());
    EXPECT_TRUE(store.SetFavourite("一马当先", true));
    EXPECT_TRUE(store.SetFavourite("爱不释手", true));
    EXPECT_TRUE(store.SetFavourite("一马当先", true));  // again: stays where it was
    EXPECT_TRUE(store.RecordShown("一马当先"));
    EXPECT_TRUE(store.RecordShown("爱不释手"));
    EXPECT_TRUE(store.RecordShown("一马当先"));  // shown again: moves up, once
  }
  UserStore reopened(path(), "velmdict_cn.dat");
  EXPECT_EQ(Idioms(reopened.Favourites()), QStringList({"爱不释手", "一马当先"}));
  EXPECT_EQ(Idioms(reopened.History()), QStringList({"一马当先", "爱不释手"}));
  EXPECT_TRUE(reopened.SetFavourite("爱不释手", false));
  EXPECT_FALSE(reopened.IsFavourite("爱不释手"));
  EXPECT_TRUE(reopened.IsFavourite("一马当先"));
  UserStore otherEdition(path(), "velmdict_big5.dat");
  EXPECT_TRUE(otherEdition.Favourites().empty());
  EXPECT_TRUE(otherEdition.History().empty());
}

TEST_F(UserStoreTest, AnIdiomIsOneFavouriteAndOneHistoryEntryInEitherScript) {
  const auto traditional = [](const QString &idiom) { return idiom == "画龙点睛" ? QString("畫龍點睛") : QString(); };
  {
    UserStore gb(path(), "velmdict_cn.dat");
    gb.SetOtherEdition("velmdict_big5.dat", traditional);
    ASSERT_TRUE(gb.SetFavourite("画龙点睛", true));
    ASSERT_TRUE(gb.RecordShown("画龙点睛"));
    ASSERT_TRUE(gb.SetFavourite("一马当先", true));  // no other form known: this edition only
  }
  UserStore big5(path(), "velmdict_big5.dat");
  EXPECT_EQ(Idioms(big5.Favourites()), QStringList({"畫龍點睛"}));
  EXPECT_EQ(Idioms(big5.History()), QStringList({"畫龍點睛"}));
  UserStore gb(path(), "velmdict_cn.dat");
  gb.SetOtherEdition("velmdict_big5.dat", traditional);
  ASSERT_TRUE(gb.SetFavourite("画龙点睛", false));
  EXPECT_TRUE(big5.Favourites().empty()) << "removed in both scripts";
}

TEST_F(UserStoreTest, HistoryKeepsTheNewestFiveHundred) {
  UserStore store(path(), "e");
  for (int i = 0; i < UserStore::kHistoryLength + 20; ++i) ASSERT_TRUE(store.RecordShown(QString::number(i)));
  const auto history = store.History();
  ASSERT_EQ(history.size(), static_cast<size_t>(UserStore::kHistoryLength));
  EXPECT_EQ(history.front().idiom, QString::number(UserStore::kHistoryLength + 19));
  EXPECT_EQ(history.back().idiom, "20");
  EXPECT_EQ(history.front().when.date(), QDate::currentDate());
}

TEST_F(UserStoreTest, ADamagedStoreIsMovedAsideAndAFreshOneStarted) {
  const auto overwrite = [this] {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray("not a database at all ").repeated(300));
  };
  const auto otherShape = [this] {
    QFile::remove(path());
    auto db = SqlConnection::OpenPlain(path(), 100, nullptr);
    ASSERT_TRUE(db && db->Execute("CREATE TABLE Favourites (Something TEXT)"));
  };
  for (const auto &damage : {std::function<void()>(overwrite), std::function<void()>(otherShape)}) {
    {
      UserStore store(path(), "e");
      ASSERT_TRUE(store.SetFavourite("一马当先", true));
    }
    damage();
    UserStore store(path(), "e");
    ASSERT_TRUE(store.IsAvailable());
    EXPECT_TRUE(QFile::exists(store.MovedAside())) << store.MovedAside().toStdString();
    EXPECT_TRUE(store.Favourites().empty());
    EXPECT_TRUE(store.SetFavourite("爱不释手", true));
    EXPECT_EQ(Idioms(store.Favourites()), QStringList({"爱不释手"}));
  }
}

TEST_F(UserStoreTest, WhatADamagedStoreStillHoldsIsCarriedIntoTheNewOne) {
  {
    UserStore store(path(), "e");
    ASSERT_TRUE(store.SetFavourite("一马当先", true));
    ASSERT_TRUE(store.RecordShown("爱不释手"));
    // A schedule: 300 cards with ten grades each, and a setting.
    const SqlConnection &db = *store.Connection();
    ASSERT_TRUE(db.Execute("BEGIN"));
    for (int card = 0; card < 300; ++card) {
      ASSERT_EQ(db.Run("INSERT INTO Cards VALUES (?1, ?1, ?1, 'favourite', 1, 2, 0, 12.5, 5.25, 1000, 900, 0, 10, 0)",
                       {QString::number(card)}),
                SQLITE_OK);
      for (int grade = 0; grade < 10; ++grade)
        ASSERT_EQ(db.Run("INSERT INTO ReviewLog (Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, "
                         "StepBefore, StabilityBefore, DifficultyBefore, DueBefore, LastReviewBefore, LapsesBefore, "
                         "RepsBefore, StateAfter, StabilityAfter, DifficultyAfter, DueAfter) "
                         "VALUES (?1, ?2, 3, 'meaning', 1, 1, 2, 0, 1, 5, 0, 0, 0, 0, 2, 1, 5, 0)",
                         {QString::number(card), grade}),
                  SQLITE_OK);
    }
    ASSERT_TRUE(db.Execute("INSERT INTO StudySettings VALUES ('newPerDay', '7'); COMMIT"));
  }
  {
    auto db = SqlConnection::OpenPlain(path(), 100, nullptr);
    ASSERT_TRUE(db && db->Execute("DROP TABLE History; CREATE TABLE History (Something TEXT)"));
  }
  UserStore store(path(), "e");
  ASSERT_TRUE(store.IsAvailable());
  EXPECT_TRUE(QFile::exists(store.MovedAside()));
  EXPECT_EQ(store.Salvaged(), 1);
  EXPECT_EQ(Idioms(store.Favourites()), QStringList({"一马当先"}));
  EXPECT_EQ(store.SalvagedCards(), 300);
  EXPECT_EQ(store.SalvagedReviews(), 3000);
  RecordSet rows;
  ASSERT_EQ(store.Connection()->Fetch("SELECT Stability, Difficulty, Due FROM Cards WHERE Card = '7'", {}, &rows),
            SQLITE_OK);
  EXPECT_EQ(rows.Text("Stability"), "12.5") << "every interval kept";
  EXPECT_EQ(rows.Text("Due"), "1000");
  ASSERT_EQ(store.Connection()->Fetch("SELECT Value FROM StudySettings WHERE Name = 'newPerDay'", {}, &rows),
            SQLITE_OK);
  EXPECT_EQ(rows.Text("Value"), "7");
  EXPECT_TRUE(store.Notice(path()).contains("300 study cards and 3000 reviews")) << store.Notice(path()).toStdString();
}

TEST_F(UserStoreTest, ANewerVersionsStoreIsLeftUntouchedAndTheFeaturesOff) {
  {
    UserStore store(path(), "e");
    ASSERT_TRUE(store.SetFavourite("一马当先", true));
    auto db = SqlConnection::OpenPlain(path(), 100, nullptr);
    ASSERT_TRUE(db && db->Execute("PRAGMA user_version = 7; ALTER TABLE Favourites RENAME TO Starred"));
  }
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray before = file.readAll();
  file.close();
  UserStore store(path(), "e");
  EXPECT_FALSE(store.IsAvailable());
  EXPECT_TRUE(store.IsNewer());
  EXPECT_TRUE(store.MovedAside().isEmpty());
  EXPECT_FALSE(store.SetFavourite("爱不释手", true));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), before);
  EXPECT_EQ(QDir(dir.filePath("user")).entryList(QDir::Files), QStringList({"velmora.db"}));
}

TEST_F(UserStoreTest, AStoreThatCannotBeWrittenOnlyTurnsTheFeaturesOff) {
  QFile blocker(dir.filePath("user"));  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  UserStore store(path(), "e");
  EXPECT_FALSE(store.IsAvailable());
  EXPECT_FALSE(store.SetFavourite("一马当先", true));
  EXPECT_FALSE(store.RecordShown("一马当先"));
  EXPECT_FALSE(store.IsFavourite("一马当先"));
  EXPECT_TRUE(store.History().empty());
}

TEST_F(UserStoreTest, TwoCopiesWritingAtOnceKeepEachOthersChanges) {
  constexpr int kEach = 60;
  const auto writer = [this](const QString &prefix) {
    UserStore store(path(), "e");
    for (int i = 0; i < kEach; ++i) {
      store.SetFavourite(prefix + QString::number(i), true);
      store.RecordShown(prefix + QString::number(i));
    }
  };
  { UserStore created(path(), "e"); }
  std::thread first(writer, QStringLiteral("a")), second(writer, QStringLiteral("b"));
  first.join();
  second.join();
  UserStore store(path(), "e");
  EXPECT_EQ(store.Favourites().size(), 2u * kEach);
  EXPECT_EQ(store.History().size(), 2u * kEach);
}

TEST(BrowseHistory, WalksBackAndForwardAsABrowserDoes) {
  BrowseHistory browsed;
  EXPECT_FALSE(browsed.Back());
  for (const char *idiom : {"甲", "乙", "乙", "丙"}) browsed.Visit(idiom);
  EXPECT_EQ(browsed.Back(), QString("乙"));
  EXPECT_EQ(browsed.Back(), QString("甲"));
  EXPECT_FALSE(browsed.Back());
  EXPECT_EQ(browsed.Forward(), QString("乙"));
  browsed.Visit("乙");  // the idiom gone back to is shown: nothing changes
  EXPECT_TRUE(browsed.CanGoForward());
  browsed.Visit("丁");  // a new idiom after going back drops the way ahead
  EXPECT_FALSE(browsed.Forward());
  EXPECT_EQ(browsed.Back(), QString("乙"));
}

TEST(FlashcardDeck, OneCardALineWithFieldsThatCannotBreakTheLayout) {
  IdiomRecord record;
  record.idiom = "一马当先";
  record.spell = "yī mǎ dāng xiān";
  record.note = "to lead\tthe <charge>\r\nfirst";
  record.example = "例\t～句~";
  const QStringList lines = QString::fromUtf8(FlashcardDeck({record, IdiomRecord{}})).split('\n');
  ASSERT_EQ(lines.size(), 6);  // three header lines, two cards, the last newline
  EXPECT_TRUE(lines[0].startsWith("#separator:tab"));
  EXPECT_EQ(lines[3], "一马当先\tyī mǎ dāng xiān\tto lead the &lt;charge&gt;<br>first\t\t例 一马当先句一马当先");
  EXPECT_EQ(lines[4], "\t\t\t\t");
  // Anki drops a line that starts with "#" as a comment: the card is kept.
  record.idiom = " #1 成语";
  const QStringList hashed = QString::fromUtf8(FlashcardDeck({record})).split('\n');
  EXPECT_TRUE(hashed[3].startsWith("&#35;1 成语\t")) << hashed[3].toStdString();
}

}  // namespace
}  // namespace velmora
