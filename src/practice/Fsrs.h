#pragma once
// The review schedule: FSRS-6, the Free Spaced Repetition Scheduler, as
// fsrs-rs (the scheduler Anki uses) and ts-fsrs, which follows it, schedule
// it: their default parameters, desired retention, learning steps 1 and 10
// minutes, a relearning step of 10 minutes, no fuzz. A card's memory is its
// stability (the days until recall falls to 90 %) and its difficulty
// (1-10); each grade moves both and gives the next due time. Elapsed time
// is counted in calendar days, as the reference does; results are rounded
// to 8 decimals where the reference rounds them, so that every due time is
// the reference's (tests/fsrs/fixture.json).
#include <array>

#include <cstdint>
#include <vector>
#include "data/CardMemory.h"

namespace velmora {

// The calendar day of a time (seconds since the epoch) as a day number:
// local days (the boundary of "due today"), or UTC days.
using DayNumber = int64_t (*)(int64_t time);
int64_t LocalDayNumber(int64_t time);
int64_t UtcDayNumber(int64_t time);

class FsrsScheduler {
 public:
  static constexpr std::array<double, 21> kDefaultParameters = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                                                0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                                                1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
  static constexpr double kLeastRetention = 0.70, kMostRetention = 0.97, kDefaultRetention = 0.90;
  static constexpr int kMaximumIntervalDays = 36500;

  // The retention asked for is kept within kLeastRetention-kMostRetention.
  explicit FsrsScheduler(double desiredRetention = kDefaultRetention, DayNumber dayOf = LocalDayNumber);
  double DesiredRetention() const { return retention_; }
  ScheduledReview Review(const CardMemory &card, Grade grade, int64_t now) const;
  // What each grade would give (Again, Hard, Good, Easy): the grade buttons
  // tell the wait of each.
  std::array<ScheduledReview, 4> Preview(const CardMemory &card, int64_t now) const;
  // The chance of recall now (0 for a card never reviewed).
  double Retrievability(const CardMemory &card, int64_t now) const;
  // Whole days until recall falls to the desired retention.
  int IntervalDays(double stability) const;

 private:
  struct Memory {
    double stability, difficulty;
  };
  Memory NextMemory(const CardMemory &card, Grade grade, int64_t elapsedDays) const;
  double InitialDifficulty(Grade grade) const;
  double NextDifficulty(double difficulty, Grade grade) const;
  double ShortTermStability(double stability, Grade grade) const;
  double RecallStability(const Memory &m, double retrievability, Grade grade) const;
  double ForgetStability(const Memory &m, double retrievability) const;
  double ForgettingCurve(int64_t elapsedDays, double stability) const;
  // A new, learning or relearning card through its steps (or into review):
  // the minutes until it is due again, 0 when it graduates.
  int64_t StepMinutes(CardMemory &card, Grade grade) const;
  int64_t ElapsedDays(const CardMemory &card, int64_t now) const;

  std::array<double, 21> w_ = kDefaultParameters;
  double retention_;
  DayNumber dayOf_;
  double decay_, factor_, intervalModifier_;
  // Minutes: learning 1 and 10, relearning 10.
  std::vector<int64_t> learningSteps_{1, 10}, relearningSteps_{10};
};

}  // namespace velmora
