#pragma once
// What the review schedule knows of a card, and the grades it is given: kept
// by the user's store, moved on by the scheduler.
#include <cmath>
#include <cstdint>

namespace velmora {

enum class Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };
enum class CardState { New = 0, Learning = 1, Review = 2, Relearning = 3 };

// Times are seconds since the epoch.
struct CardMemory {
  CardState state = CardState::New;
  int step = 0;           // the learning or relearning step reached
  double stability = 0;   // days; 0 before the first review
  double difficulty = 0;  // 1-10; 0 before the first review
  int64_t due = 0;
  int64_t lastReview = 0;  // 0 before the first review
  int lapses = 0;
  int reps = 0;
  bool operator==(const CardMemory &) const = default;
};

// Whether stored values can be a card's memory: the scheduler indexes its
// steps with them and casts them to times. A damaged or hostile store may
// hold anything.
inline bool IsPlausible(const CardMemory &m) {
  constexpr int64_t kLatestTime = 253402300799;  // the last second of the year 9999
  const auto within = [](auto value, auto least, auto most) { return value >= least && value <= most; };
  return within(static_cast<int>(m.state), 0, 3) && within(m.step, 0, 1000) && std::isfinite(m.stability) &&
         within(m.stability, 0.0, 1e7) && std::isfinite(m.difficulty) && within(m.difficulty, 0.0, 10.0) &&
         within(m.due, int64_t{0}, kLatestTime) && within(m.lastReview, int64_t{0}, kLatestTime) &&
         within(m.lapses, 0, 10000000) && within(m.reps, 0, 10000000);
}

struct ScheduledReview {
  CardMemory after;
  double elapsedDays = 0;    // whole days since the review before, as the model counts them
  double scheduledDays = 0;  // from this review to the next due time
};

}  // namespace velmora
