#pragma once
// The review schedule: FSRS-6, the Free Spaced Repetition Scheduler, with its
// published default parameters. A card's memory is its stability (the days
// until recall falls to 90 %) and its difficulty (1-10); each grade moves
// both and gives the next due time. New cards pass short learning steps
// before they are scheduled in days, and a lapse passes relearning steps.
#include <array>

#include <cstdint>
#include <vector>
#include "data/CardMemory.h"

namespace velmora {

class FsrsScheduler {
 public:
  static constexpr std::array<double, 21> kDefaultParameters = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                                                0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                                                1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
  static constexpr double kLeastRetention = 0.70, kMostRetention = 0.97, kDefaultRetention = 0.90;
  static constexpr int kMaximumIntervalDays = 36500;

  // The retention asked for is kept within kLeastRetention-kMostRetention.
  explicit FsrsScheduler(double desiredRetention = kDefaultRetention);
  double DesiredRetention() const { return retention_; }
  ScheduledReview Review(const CardMemory &card, Grade grade, int64_t now) const;
  // The chance of recall now (0 for a card never reviewed).
  double Retrievability(const CardMemory &card, int64_t now) const;
  // Whole days until recall falls to the desired retention.
  int IntervalDays(double stability) const;

 private:
  double InitialStability(Grade grade) const;
  double InitialDifficulty(Grade grade, bool clamp) const;
  double NextDifficulty(double difficulty, Grade grade) const;
  double ShortTermStability(double stability, Grade grade) const;
  double NextStability(const CardMemory &card, Grade grade, int64_t now) const;
  // Moves the card through its steps (or into review) and gives the seconds
  // until it is due again.
  int64_t StepOrGraduate(CardMemory &card, Grade grade, const std::vector<int64_t> &steps) const;
  int64_t ReviewInterval(CardMemory &card) const;

  std::array<double, 21> w_ = kDefaultParameters;
  double retention_;
  double decay_, factor_;
  // Seconds: learning 1 and 10 minutes, relearning 10 minutes.
  std::vector<int64_t> learningSteps_{60, 600}, relearningSteps_{600};
};

}  // namespace velmora
