// The schedule against the FSRS-6 model's worked numbers and the reference
// scheduler's (ts-fsrs, which follows fsrs-rs).
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "practice/Fsrs.h"

namespace velmora {
namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kStart = 1669725000;  // 2022-11-29 12:30 UTC

TEST(FsrsSchedule, IntervalsOfTheReferenceSequence) {
  // Each review on the day the one before made due: the model's reference
  // run of Good, a double lapse, and Good again.
  const FsrsScheduler scheduler;
  const Grade G = Grade::Good, A = Grade::Again;
  CardMemory card;
  int64_t now = kStart;
  std::vector<int64_t> intervals;
  std::vector<CardState> states;
  for (Grade grade : {G, G, G, G, G, G, A, A, G, G, G, G, G}) {
    card = scheduler.Review(card, grade, now).after;
    intervals.push_back((card.due - card.lastReview) / kDay);
    states.push_back(card.state);
    now = card.due;
  }
  EXPECT_EQ(intervals, (std::vector<int64_t>{0, 2, 11, 46, 163, 498, 0, 0, 2, 4, 7, 12, 21}));
  EXPECT_EQ(states[0], CardState::Learning);
  EXPECT_EQ(states[6], CardState::Relearning);
  EXPECT_EQ(states[8], CardState::Review);
  EXPECT_EQ(card.lapses, 1);  // the second Again falls in relearning
  EXPECT_EQ(card.reps, 13);
}

TEST(FsrsSchedule, MemoryStateAfterALapseAndRecalls) {
  const FsrsScheduler scheduler;
  CardMemory card;
  int64_t now = kStart;
  const std::pair<Grade, int> reviews[] = {{Grade::Again, 0}, {Grade::Good, 0}, {Grade::Good, 1},
                                           {Grade::Good, 3},  {Grade::Good, 8}, {Grade::Good, 21}};
  for (auto [grade, days] : reviews) {
    now += days * kDay;
    card = scheduler.Review(card, grade, now).after;
  }
  // As ts-fsrs 5.4.2 gives them.
  EXPECT_NEAR(card.stability, 53.62690465, 1e-6);
  EXPECT_NEAR(card.difficulty, 6.35748708, 1e-6);
  // A same-day Good never lowers a long stability; the difficulty drifts to the mean.
  const CardMemory again = scheduler.Review(card, Grade::Good, now + 60).after;
  EXPECT_DOUBLE_EQ(again.stability, card.stability);
  EXPECT_LT(again.difficulty, card.difficulty);
}

TEST(FsrsSchedule, LearningStepsAndGrades) {
  const FsrsScheduler scheduler;
  const CardMemory fresh;
  const auto wait = [&](const CardMemory &card, Grade grade) {
    const ScheduledReview r = scheduler.Review(card, grade, kStart);
    return std::pair{r.after.state, r.after.due - kStart};
  };
  EXPECT_EQ(wait(fresh, Grade::Again), std::pair(CardState::Learning, int64_t{60}));
  // Between the two steps, in whole minutes: 5.5 is 6.
  EXPECT_EQ(wait(fresh, Grade::Hard), std::pair(CardState::Learning, int64_t{360}));
  EXPECT_EQ(wait(fresh, Grade::Good), std::pair(CardState::Learning, int64_t{600}));
  EXPECT_EQ(wait(fresh, Grade::Easy).first, CardState::Review);
  EXPECT_GE(wait(fresh, Grade::Easy).second, kDay);

  // Ten Easy answers bring the difficulty to its floor.
  CardMemory card;
  for (int i = 0; i < 10; ++i) card = scheduler.Review(card, Grade::Easy, kStart + i).after;
  EXPECT_DOUBLE_EQ(card.difficulty, 1.0);
}

TEST(FsrsSchedule, RetentionMovesTheInterval) {
  // A higher retention asks for earlier reviews; the bounds hold.
  EXPECT_GT(FsrsScheduler(0.80).IntervalDays(10), FsrsScheduler(0.90).IntervalDays(10));
  EXPECT_GT(FsrsScheduler(0.90).IntervalDays(10), FsrsScheduler(0.97).IntervalDays(10));
  EXPECT_DOUBLE_EQ(FsrsScheduler(0.5).DesiredRetention(), FsrsScheduler::kLeastRetention);
  EXPECT_DOUBLE_EQ(FsrsScheduler(0.99).DesiredRetention(), FsrsScheduler::kMostRetention);
  // At the default retention an interval equals the stability (90 % by definition).
  EXPECT_EQ(FsrsScheduler().IntervalDays(30), 30);
  CardMemory card;
  card = FsrsScheduler().Review(card, Grade::Good, kStart).after;
  EXPECT_NEAR(FsrsScheduler().Retrievability(card, kStart + static_cast<int64_t>(card.stability * kDay)), 0.9, 0.05);
}

// Review sequences as ts-fsrs schedules them (tests/fsrs/make_fixture.mjs),
// made in UTC: the day boundary is the one of UTC here too.
TEST(FsrsSchedule, EveryReviewOfTheReferenceSequencesAsAnkisSchedulerMakesIt) {
  QFile file(QStringLiteral(VELMORA_SOURCE_TESTS "/fsrs/fixture.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonArray sequences = QJsonDocument::fromJson(file.readAll()).object().value("sequences").toArray();
  ASSERT_GE(sequences.size(), 300);
  const FsrsScheduler scheduler(FsrsScheduler::kDefaultRetention, UtcDayNumber);
  int reviews = 0, dueDiffers = 0, easyLater = 0;
  for (const QJsonValue &sequence : sequences) {
    CardMemory card;
    for (const QJsonValue &value : sequence.toArray()) {
      const QJsonObject review = value.toObject();
      const auto time = static_cast<int64_t>(review.value("time").toDouble());
      const auto grade = static_cast<Grade>(review.value("grade").toInt());
      const bool stepping = card.state != CardState::Review;
      const std::array<ScheduledReview, 4> each = scheduler.Preview(card, time);
      card = each[static_cast<size_t>(grade) - 1].after;
      ++reviews;
      const auto due = static_cast<int64_t>(review.value("due").toDouble());
      // As Anki, unlike ts-fsrs: Easy out of the steps waits a day longer than Good.
      if (stepping && grade == Grade::Easy && card.due > due) {
        ++easyLater;
        EXPECT_EQ(card.due, each[2].after.due + kDay) << "review " << reviews;
      } else {
        dueDiffers += card.due != due;
      }
      ASSERT_NEAR(card.stability, review.value("stability").toDouble(), 1e-6) << "review " << reviews;
      ASSERT_NEAR(card.difficulty, review.value("difficulty").toDouble(), 1e-6) << "review " << reviews;
      ASSERT_EQ(static_cast<int>(card.state), review.value("state").toInt()) << "review " << reviews;
    }
  }
  EXPECT_EQ(dueDiffers, 0) << "of " << reviews << " reviews";
  EXPECT_LT(easyLater, reviews / 50);
}

}  // namespace
}  // namespace velmora
