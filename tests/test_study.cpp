// The review's store, sitting and questions.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <map>

#include "TestInstall.h"
#include "config/ProgramValues.h"
#include "data/Conn.h"
#include "data/IdiomStore.h"
#include "data/SqlConnection.h"
#include "data/StudyStore.h"
#include "data/UserStore.h"
#include "dictionary/IdiomMatcher.h"
#include "dictionary/IdiomSearch.h"
#include "dictionary/Pinyin.h"
#include "dictionary/RelatedIndex.h"
#include "editions/Editions.h"
#include "editions/SourceFile.h"
#include "practice/Fsrs.h"
#include "practice/StudyQuestions.h"
#include "practice/StudySession.h"

namespace velmora {
namespace {

constexpr int64_t kNoon = 1765108800;  // a day's middle, far from midnight in any zone used here

// A small edition: readings, meanings, neighbours and other scripts.
class FakeSource : public QuestionSource {
 public:
  std::map<QString, std::pair<QString, QString>> rows = {
      {"画龙点睛", {"huà lóng diǎn jīng", "在关键处加上一笔"}}, {"画蛇添足", {"huà shé tiān zú", "多此一举"}},
      {"一针见血", {"yī zhēn jiàn xiě", "说话切中要害"}},       {"一马当先", {"yī mǎ dāng xiān", "走在最前面"}},
      {"叶公好龙", {"yè gōng hào lóng", "表面爱好"}},           {"画饼充饥", {"huà bǐng chōng jī", "空想安慰"}},
  };
  QString Reading(const QString &idiom) const override { return rows.count(idiom) ? rows.at(idiom).first : QString(); }
  QString Meaning(const QString &idiom) const override { return rows.count(idiom) ? rows.at(idiom).second : QString(); }
  QStringList Neighbours(const QString &idiom, int) const override {
    QStringList near;
    for (const auto &[other, row] : rows)
      if (other != idiom && other.front() == idiom.front()) near << other;
    return near << "畫龍點睛";  // the answer in the other script must never be offered
  }
  QStringList CharactersSounding(const QString &syllable, int) const override {
    return syllable == "hua" ? QStringList{"画", "话", "化", "花"} : QStringList{"一", "衣", "医", "依"};
  }
  QStringList RandomIdioms(int, std::mt19937 &) const override {
    QStringList all;
    for (const auto &[idiom, row] : rows) all << idiom;
    return all;
  }
  QString OtherScript(const QString &idiom) const override { return idiom == "画龙点睛" ? "畫龍點睛" : QString(); }
};

TEST(StudyQuestions, FourDistinctChoicesWithTheAnswerOnce) {
  FakeSource source;
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round)
    for (QuestionKind kind :
         {QuestionKind::Meaning, QuestionKind::Reading, QuestionKind::Character, QuestionKind::Listening}) {
      const StudyQuestion q = BuildQuestion(kind, "画龙点睛", source, random);
      ASSERT_EQ(q.kind, kind);
      ASSERT_EQ(q.choices.size(), 4);
      EXPECT_EQ(QSet<QString>(q.choices.begin(), q.choices.end()).size(), 4) << q.choices.join("|").toStdString();
      EXPECT_FALSE(q.choices.contains("畫龍點睛"));
      const QString right = kind == QuestionKind::Reading     ? "huà lóng diǎn jīng"
                            : kind == QuestionKind::Character ? QString(q.idiom[q.prompt.indexOf("＿")])
                                                              : "画龙点睛";
      EXPECT_EQ(q.choices.count(right), 1);
      EXPECT_EQ(q.choices[q.answer], right);
      if (kind == QuestionKind::Character) EXPECT_EQ(q.prompt.count("＿"), 1);
    }
  // A wrong reading differs in tones (same letters) or is another idiom's reading.
  const StudyQuestion q = BuildQuestion(QuestionKind::Reading, "画龙点睛", source, random);
  for (const QString &choice : q.choices)
    EXPECT_TRUE(WithoutTones(choice) == "hua long dian jing" ||
                source.rows.count("画饼充饥") && choice == source.Reading("画饼充饥") ||
                choice == source.Reading("画蛇添足"))
        << choice.toStdString();
  // Without enough of the edition to choose from, the card is a flashcard.
  FakeSource tiny;
  tiny.rows = {{"画龙点睛", {"huà lóng diǎn jīng", "x"}}};
  EXPECT_EQ(BuildQuestion(QuestionKind::Meaning, "画龙点睛", tiny, random).kind, QuestionKind::Flashcard);
}

class StudyTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath("velmora.db"); }
};

TEST_F(StudyTest, AStoreOfTheEarlierShapeOpensWithItsFavourites) {
  {
    QString error;
    auto db = SqlConnection::OpenPlain(path(), 0, &error);
    ASSERT_TRUE(db);
    ASSERT_TRUE(
        db->Execute("CREATE TABLE Favourites (Edition TEXT NOT NULL, Idiom TEXT NOT NULL, Added INTEGER NOT NULL, "
                    "PRIMARY KEY (Edition, Idiom)); CREATE TABLE History (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                    "Edition TEXT NOT NULL, Idiom TEXT NOT NULL, Shown INTEGER NOT NULL); "
                    "INSERT INTO Favourites VALUES ('gb', '画龙点睛', 1); PRAGMA user_version = 1;"));
  }
  UserStore store(path(), "gb");
  ASSERT_TRUE(store.IsAvailable());
  EXPECT_TRUE(store.MovedAside().isEmpty());
  EXPECT_TRUE(store.IsFavourite("画龙点睛"));
  StudyStore study(store, false);
  EXPECT_TRUE(study.AddCards({"画龙点睛"}, StudyStore::kFavourite, kNoon));
  EXPECT_TRUE(study.HasCard("画龙点睛"));
}

TEST_F(StudyTest, ASittingKeepsEachGradeAndUndoTakesItBack) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  FakeSource source;
  StudySession session(store, source);
  const std::vector<QString> favourites = {"画龙点睛", "一针见血", "画蛇添足"};
  session.Prepare(kNoon, favourites, {}, 0, {});
  EXPECT_EQ(session.DueToday(kNoon), 3);

  int64_t now = kNoon;
  ASSERT_EQ(session.Start(now, false), StudySession::Stage::Asking);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(session.Question().kind, QuestionKind::Flashcard);  // new cards are learnt first
    session.Answer(-1);
    session.SetGrade(Grade::Easy);
    now += 10;
    session.GoOn(now);
  }
  EXPECT_EQ(session.CurrentStage(), StudySession::Stage::Finished);
  EXPECT_EQ(store.LogSize(), 3);
  EXPECT_EQ(session.DueToday(now), 0);
  EXPECT_EQ(session.Result(now).reviewed, 3);
  EXPECT_GE(*session.Result(now).nextDue, DayStart(now, 1));

  // Undo: the last card is due again, its log row gone.
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(store.LogSize(), 2);
  EXPECT_EQ(session.DueToday(now), 1);
  EXPECT_EQ(session.CurrentStage(), StudySession::Stage::Asking);
  EXPECT_EQ(store.CardOf(session.Card().key)->memory.reps, 0);

  // A favourite removed keeps its card's history, out of study.
  store.FollowFavourites({"画龙点睛"}, now);
  EXPECT_TRUE(store.CardOf("一针见血")->suspended);
  EXPECT_EQ(store.CardOf("一针见血")->memory.reps, 1);
  EXPECT_EQ(session.DueToday(now), 1);  // only the undone 画龙点睛

  // The exported log: a header and a line per grade.
  const QList<QByteArray> lines = store.ReviewLogCsv().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("Card,Simplified,Traditional,Time,Grade,Kind"));
  EXPECT_TRUE(lines[1].contains(",4,flashcard,"));

  // An imported idiom written as a formula reaches a spreadsheet as text.
  ASSERT_TRUE(store.AddCards({"=HYPERLINK(\"x\",\"y\")", "-1", "@SUM(1)"}, StudyStore::kEdition, now));
  const auto grade = [&](const QString &idiom) {
    const auto card = store.CardOf(idiom);
    ASSERT_TRUE(card);
    ASSERT_EQ(
        store.Record(*card, FsrsScheduler().Review(card->memory, Grade::Good, now), {Grade::Good, "meaning", now}),
        StudyStore::Recorded::Kept);
  };
  for (const char *idiom : {"=HYPERLINK(\"x\",\"y\")", "-1", "@SUM(1)"}) grade(idiom);
  const QByteArray csv = store.ReviewLogCsv();
  EXPECT_TRUE(csv.contains("\n\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\",")) << csv.toStdString();
  EXPECT_TRUE(csv.contains("\n'@SUM(1),'@SUM(1),")) << csv.toStdString();
  EXPECT_TRUE(csv.contains("\n-1,-1,")) << "a number stays a number";
  EXPECT_FALSE(csv.contains(",=")) << csv.toStdString();
}

TEST_F(StudyTest, NewIdiomsOfTheEditionArriveADayAtATime) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  FakeSource source;
  StudySession session(store, source);
  StudySettings settings;
  settings.fromEdition = true;
  settings.newPerDay = 2;
  ASSERT_TRUE(settings.Write(store));
  const QStringList edition = {"一马当先", "一针见血", "叶公好龙", "画饼充饥"};
  const auto idiomAt = [&](int row) { return edition[row]; };
  session.Prepare(kNoon, {}, {}, 4, idiomAt);
  EXPECT_EQ(session.DueToday(kNoon), 2);
  session.Prepare(kNoon, {}, {}, 4, idiomAt);  // again the same day: no more
  EXPECT_EQ(session.DueToday(kNoon), 2);
  EXPECT_TRUE(store.HasCard("一马当先"));
  EXPECT_FALSE(store.HasCard("叶公好龙"));
  settings.fromEdition = false;
  settings.Write(store);
  session.Prepare(kNoon, {}, {}, 4, idiomAt);
  EXPECT_EQ(session.DueToday(kNoon), 0);
}

}  // namespace
}  // namespace velmora

namespace velmora {
namespace {

TEST_F(StudyTest, RightFirstTimeCountsIdiomsRightAtTheirFirstQuestionInTheSitting) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  FakeSource source;
  StudySession session(store, source);
  session.Prepare(kNoon, {"画龙点睛", "一针见血"}, {}, 0, {});
  ASSERT_EQ(session.Start(kNoon, false), StudySession::Stage::Asking);
  // Each new card is asked three times today: once wrong, then right; or right throughout.
  std::map<QString, bool> firstRight;
  int64_t now = kNoon;
  while (session.CurrentStage() == StudySession::Stage::Asking && now < kNoon + 3600) {
    const QString key = session.Card().key;
    const bool right = key == "一针见血" || firstRight.count(key);
    firstRight.emplace(key, right);
    session.Answer(right ? session.Question().answer : (session.Question().answer + 1) % 4);
    session.SetGrade(right ? Grade::Good : Grade::Again);
    now += 60;
    session.GoOn(now);
    if (session.CurrentStage() == StudySession::Stage::Finished) break;
  }
  const StudySession::Summary summary = session.Result(now);
  EXPECT_GT(summary.reviewed, 2);
  EXPECT_EQ(summary.idioms, 2);
  EXPECT_EQ(summary.rightFirstTime, 1) << "画龙点睛 was wrong at first, however often right after";
}

TEST_F(StudyTest, ACardInReviewIsDueFromTheStartOfItsDayAndALearningStepFromItsMinute) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  const QDate today(2026, 3, 10);
  const auto at = [&today](int day, int hour, int minute) {
    return QDateTime(today.addDays(day), QTime(hour, minute)).toSecsSinceEpoch();
  };
  ASSERT_TRUE(store.AddCards({"画龙点睛", "一针见血"}, StudyStore::kFavourite, at(-1, 18, 0)));
  // Both graded yesterday at 18:31: one in review for a day, one relearning
  // with its step at 18:31 today.
  for (const auto &[idiom, state] :
       {std::pair{"画龙点睛", CardState::Review}, std::pair{"一针见血", CardState::Relearning}}) {
    const auto card = store.CardOf(idiom);
    ASSERT_TRUE(card);
    ScheduledReview review;
    review.after = {state, 0, 1.0, 5.0, at(0, 18, 31), at(-1, 18, 31), 0, 1};
    ASSERT_EQ(store.Record(*card, review, {Grade::Good, "meaning", at(-1, 18, 31)}), StudyStore::Recorded::Kept);
  }
  // At 3:00 the learner's day is still yesterday's.
  EXPECT_EQ(store.DueCount(at(0, 3, 0)), 0);
  EXPECT_FALSE(store.NextDue(at(0, 3, 0)));
  EXPECT_EQ(store.NextDueTime(), at(0, 4, 0)) << "said as due from the day's start, not 18:31";
  // In the morning the review is asked; the step keeps its minute, and the count agrees.
  EXPECT_EQ(store.DueCount(at(0, 9, 0)), 1);
  ASSERT_TRUE(store.NextDue(at(0, 9, 0)));
  EXPECT_EQ(store.NextDue(at(0, 9, 0))->key, "画龙点睛");
  EXPECT_EQ(store.DueCount(at(0, 18, 31)), 2);
  // A day that starts at midnight makes the review due at 3:00 already.
  ASSERT_TRUE(store.SetDayStartHour(0));
  EXPECT_EQ(StudySettings::Read(store).dayStartHour, 0);
  EXPECT_EQ(store.DueCount(at(0, 3, 0)), 1);
}

TEST_F(StudyTest, UndoReachesOnlyThisSittingsGradesAndTwoWindowsNeverUndoEachOther) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  FakeSource source;
  StudySession yesterday(store, source);
  yesterday.Prepare(kNoon, {"画龙点睛", "一针见血", "画蛇添足"}, {}, 0, {});
  ASSERT_EQ(yesterday.Start(kNoon, false), StudySession::Stage::Asking);
  yesterday.SetGrade(Grade::Good);
  yesterday.GoOn(kNoon + 10);
  ASSERT_EQ(store.LogSize(), 1);

  // Two windows on one store, a day later: both ask the same card.
  const int64_t now = kNoon + 86400;
  UserStore otherUser(path(), "gb");
  StudyStore otherStore(otherUser, false);
  StudySession mine(store, source), theirs(otherStore, source);
  ASSERT_EQ(mine.Start(now, false), StudySession::Stage::Asking);
  ASSERT_EQ(theirs.Start(now, false), StudySession::Stage::Asking);
  ASSERT_EQ(mine.Card().key, theirs.Card().key);
  theirs.SetGrade(Grade::Easy);
  theirs.GoOn(now + 5);
  mine.SetGrade(Grade::Again);
  mine.GoOn(now + 6);  // computed from the card before their grade: not kept
  EXPECT_EQ(theirs.LastGrade(), StudyStore::Recorded::Kept);
  EXPECT_EQ(mine.LastGrade(), StudyStore::Recorded::ChangedElsewhere) << "and the view says so";
  EXPECT_EQ(store.LogSize(), 2);
  EXPECT_EQ(mine.Result(now).reviewed, 0);
  EXPECT_FALSE(mine.Undo()) << "nothing of this sitting to undo";
  EXPECT_EQ(store.LogSize(), 2) << "neither their grade nor yesterday's";
  ASSERT_TRUE(theirs.Undo());
  EXPECT_FALSE(theirs.Undo()) << "yesterday's grade stays";
  EXPECT_EQ(store.LogSize(), 1);
}

TEST_F(StudyTest, ACardOfValuesOutOfRangeStartsAgainAsANewOne) {
  UserStore user(path(), "gb");
  StudyStore store(user, false);
  FakeSource source;
  const SqlConnection &db = *user.Connection();
  // A negative step, negative reps, an infinite stability, a due time
  // millions of years away: each a card a grade must survive.
  for (const char *values : {"1, -5, 1, 5, 0, 0, 0, 1", "2, 0, 1, 5, 0, 0, 0, -3", "2, 0, 9e999, 5, 0, 0, 0, 1",
                             "2, 0, 1, 5, -186000000000000, 0, 0, 1"}) {
    ASSERT_TRUE(
        db.Execute(QStringLiteral("DELETE FROM Cards; INSERT INTO Cards (Card, Simplified, Traditional, Origin, "
                                  "Added, State, Step, Stability, Difficulty, Due, LastReview, Lapses, Reps, "
                                  "Suspended) VALUES ('画龙点睛', '画龙点睛', '畫龍點睛', 'favourite', 0, %1, 0)")
                       .arg(values)));
    StudySession session(store, source);
    ASSERT_EQ(session.Start(kNoon, false), StudySession::Stage::Asking) << values;
    EXPECT_EQ(session.Card().memory, CardMemory{}) << values;
    session.SetGrade(Grade::Good);
    session.GoOn(kNoon + 10);
    const auto card = store.CardOf("画龙点睛");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->memory.reps, 1) << values << ": the grade was kept";
    EXPECT_GT(card->memory.due, kNoon);
    EXPECT_LT(card->memory.due, kNoon + 400LL * 86400);
  }
}

// A log row as a grade writes it, with the fields the figures read.
void LogReview(const SqlConnection &db, const QString &card, int64_t time, int grade, int stateBefore) {
  ASSERT_EQ(db.Run("INSERT INTO ReviewLog (Card, Time, Grade, Kind, ElapsedDays, ScheduledDays, StateBefore, "
                   "StepBefore, StabilityBefore, DifficultyBefore, DueBefore, LastReviewBefore, LapsesBefore, "
                   "RepsBefore, StateAfter, StabilityAfter, DifficultyAfter, DueAfter) "
                   "VALUES (?1, ?2, ?3, 'meaning', 0, 0, ?4, 0, 1, 5, 0, 0, 0, 0, 2, 1, 5, 0)",
                   {card, static_cast<long long>(time), grade, stateBefore}),
            SQLITE_OK);
}

TEST_F(StudyTest, TheFiguresOfAYearsLogAreReadThroughAConnectionOfTheirOwn) {
  constexpr int64_t kDay = 86400;
  {
    UserStore store(path(), "gb");
    const SqlConnection &db = *store.Connection();
    db.Execute("BEGIN");
    // 300 cards reviewed daily for 150 days: 45,000 rows, as a year's study.
    for (int card = 0; card < 300; ++card)
      for (int day = 0; day < 150; ++day)
        LogReview(db, QString::number(card), kNoon - (150 - day) * kDay, day % 10 == 0 ? 1 : 3, day < 3 ? 1 : 2);
    db.Execute("COMMIT");
  }
  UserStore store(path(), "gb");
  StudyStore study(store, false);
  std::vector<int64_t> past, coming;
  for (int day = -29; day <= 1; ++day) past.push_back(DayStart(kNoon, day));
  for (int day = 0; day <= 7; ++day) coming.push_back(DayStart(kNoon, day));
  const StudyStore::Figures figures = StudyStore::ReadFigures(store.Path(), past, coming);
  // Reviews from day 7 on, in the review state, are mature: 143 a card, of
  // which every tenth day's (days 10, 20, ... 140: 14) was Again.
  ASSERT_TRUE(figures.retention);
  EXPECT_DOUBLE_EQ(*figures.retention, (143.0 - 14.0) / 143.0);
  EXPECT_EQ(figures.retention, study.MatureRetention());
  EXPECT_EQ(figures.reviewsPerDay, study.ReviewsPerDay(past));
  EXPECT_EQ(figures.reviewsPerDay[28], 300) << "yesterday's reviews";
  EXPECT_EQ(figures.dueForecast, study.DueForecast(coming));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("none.db")));
  EXPECT_FALSE(StudyStore::ReadFigures(dir.filePath("none.db"), past, coming).retention);
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("none.db"))) << "a reader makes no store";
}

// Over the default edition (when staged) and the sample (when at hand):
// no wrong choice of a meaning question is of the card's meaning, or names
// the card in its explanation.
TEST(StudyQuestions, MeaningQuestionsOfferNoWrongChoiceThatIsAlsoRight) {
  test::TestInstall install;
  QStringList editions;
  if (QFileInfo::exists(VELMORA_STAGED_DATA "/Velmdict_cn.dat")) editions << VELMORA_STAGED_DATA "/Velmdict_cn.dat";
  if (QFileInfo::exists(VELMORA_SHARED_DATA "/idioms-sample.json")) {
    const auto sample = editions::LoadSource(VELMORA_SHARED_DATA "/idioms-sample.json", editions::SourceKind::Json);
    editions::BuildEditions({sample}, {install.file("sample.dat"), QString()}, kDatabasePassword, {});
    editions << install.file("sample.dat");
  }
  if (editions.isEmpty()) GTEST_SKIP() << "neither the staged edition nor the sample is here";
  for (const QString &edition : editions) {
    test::UseDatabase(edition);
    IdiomSearch search;
    search.Open(AllIdioms(), ConnString());
    const IdiomMatcher &matcher = search.Matcher();
    RelatedIndex related;
    for (int row = 0; row < matcher.size(); ++row) {
      const auto record = Record(matcher.IdiomAt(row));
      related.Add(matcher.IdiomAt(row), record ? record->spell : QString(), record ? record->note : QString());
    }
    related.Finish();
    EditionQuestionSource source([&matcher] { return &matcher; }, [&search] { return &search.Frequencies(); });
    std::mt19937 random(7);
    std::uniform_int_distribution<int> any(0, matcher.size() - 1);
    int asked = 0;
    for (int attempt = 0; asked < 200 && attempt < 4000; ++attempt) {
      const QString idiom = matcher.IdiomAt(any(random));
      const StudyQuestion question = BuildQuestion(QuestionKind::Meaning, idiom, source, random);
      if (question.kind != QuestionKind::Meaning) continue;
      ++asked;
      const QStringList sameMeaning = related.Find(idiom).sameMeaning;
      for (const QString &choice : question.choices) {
        if (choice == idiom) continue;
        EXPECT_FALSE(sameMeaning.contains(choice)) << edition.toStdString() << ": " << choice.toStdString()
                                                   << " means what " << idiom.toStdString() << " does";
        EXPECT_FALSE(source.Meaning(choice).contains(idiom))
            << choice.toStdString() << " names " << idiom.toStdString();
      }
    }
    EXPECT_EQ(asked, 200) << edition.toStdString();
  }
}

}  // namespace
}  // namespace velmora
