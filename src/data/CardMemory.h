#pragma once
// What the review schedule knows of a card, and the grades it is given: kept
// by the user's store, moved on by the scheduler.
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

struct ScheduledReview {
  CardMemory after;
  double elapsedDays = 0;    // whole days since the review before, as the model counts them
  double scheduledDays = 0;  // from this review to the next due time
};

}  // namespace velmora
