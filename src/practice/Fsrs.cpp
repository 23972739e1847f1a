#include "Fsrs.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double kLeastStability = 0.001;
constexpr int64_t kDay = 86400;

double ClampDifficulty(double difficulty) { return std::clamp(difficulty, 1.0, 10.0); }
double ClampStability(double stability) { return std::max(stability, kLeastStability); }
int G(Grade grade) { return static_cast<int>(grade); }

// Whole days between two times, as the model counts them (floor of the
// difference; never below zero).
int64_t WholeDays(int64_t from, int64_t to) {
  const int64_t seconds = to - from;
  return seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
}

}  // namespace

FsrsScheduler::FsrsScheduler(double desiredRetention)
    : retention_(std::clamp(desiredRetention, kLeastRetention, kMostRetention)),
      decay_(-kDefaultParameters[20]),
      factor_(std::pow(0.9, 1.0 / decay_) - 1) {}

double FsrsScheduler::Retrievability(const CardMemory &card, int64_t now) const {
  if (card.lastReview == 0 || card.stability <= 0) return 0;
  const double days = static_cast<double>(std::max<int64_t>(0, WholeDays(card.lastReview, now)));
  return std::pow(1 + factor_ * days / card.stability, decay_);
}

int FsrsScheduler::IntervalDays(double stability) const {
  const double days = stability / factor_ * (std::pow(retention_, 1.0 / decay_) - 1);
  return static_cast<int>(std::clamp<double>(std::round(days), 1, kMaximumIntervalDays));
}

double FsrsScheduler::InitialStability(Grade grade) const { return ClampStability(w_[G(grade) - 1]); }

double FsrsScheduler::InitialDifficulty(Grade grade, bool clamp) const {
  const double difficulty = w_[4] - std::exp(w_[5] * (G(grade) - 1)) + 1;
  return clamp ? ClampDifficulty(difficulty) : difficulty;
}

double FsrsScheduler::NextDifficulty(double difficulty, Grade grade) const {
  const double change = -w_[6] * (G(grade) - 3);
  // Linear damping: a change shrinks as the difficulty nears 10.
  const double damped = difficulty + (10 - difficulty) * change / 9;
  // Mean reversion towards the difficulty of a first Easy.
  return ClampDifficulty(w_[7] * InitialDifficulty(Grade::Easy, false) + (1 - w_[7]) * damped);
}

double FsrsScheduler::ShortTermStability(double stability, Grade grade) const {
  double increase = std::exp(w_[17] * (G(grade) - 3 + w_[18])) * std::pow(stability, -w_[19]);
  // A same-day Good or Easy never lowers stability.
  if (grade >= Grade::Good) increase = std::max(increase, 1.0);
  return ClampStability(stability * increase);
}

double FsrsScheduler::NextStability(const CardMemory &card, Grade grade, int64_t now) const {
  const double s = card.stability, d = card.difficulty, r = Retrievability(card, now);
  if (grade == Grade::Again) {
    const double longTerm = w_[11] * std::pow(d, -w_[12]) * (std::pow(s + 1, w_[13]) - 1) * std::exp((1 - r) * w_[14]);
    const double shortTerm = s / std::exp(w_[17] * w_[18]);
    return ClampStability(std::min(longTerm, shortTerm));
  }
  const double hardPenalty = grade == Grade::Hard ? w_[15] : 1;
  const double easyBonus = grade == Grade::Easy ? w_[16] : 1;
  return ClampStability(s * (1 + std::exp(w_[8]) * (11 - d) * std::pow(s, -w_[9]) * (std::exp((1 - r) * w_[10]) - 1) *
                                     hardPenalty * easyBonus));
}

int64_t FsrsScheduler::ReviewInterval(CardMemory &card) const {
  card.state = CardState::Review;
  card.step = 0;
  return IntervalDays(card.stability) * kDay;
}

int64_t FsrsScheduler::StepOrGraduate(CardMemory &card, Grade grade, const std::vector<int64_t> &steps) const {
  const int count = static_cast<int>(steps.size());
  // No steps, or a card past the steps there are now: straight to review.
  if (count == 0 || (card.step >= count && grade != Grade::Again)) return ReviewInterval(card);
  switch (grade) {
    case Grade::Again: card.step = 0; return steps[0];
    case Grade::Hard:
      if (card.step == 0) return count == 1 ? steps[0] * 3 / 2 : (steps[0] + steps[1]) / 2;
      return steps[std::min(card.step, count - 1)];
    case Grade::Good:
      if (card.step + 1 >= count) return ReviewInterval(card);
      return steps[++card.step];
    case Grade::Easy: return ReviewInterval(card);
  }
  return steps[0];
}

ScheduledReview FsrsScheduler::Review(const CardMemory &before, Grade grade, int64_t now) const {
  CardMemory card = before;
  const bool reviewed = card.lastReview != 0 && card.stability > 0;
  const int64_t days = reviewed ? WholeDays(card.lastReview, now) : 0;
  if (card.state == CardState::New) card.state = CardState::Learning;

  if (!reviewed) {
    card.stability = InitialStability(grade);
    card.difficulty = InitialDifficulty(grade, true);
  } else {
    card.stability = days < 1 ? ShortTermStability(card.stability, grade) : NextStability(card, grade, now);
    card.difficulty = NextDifficulty(card.difficulty, grade);
  }

  int64_t wait = 0;
  if (card.state == CardState::Learning) {
    wait = StepOrGraduate(card, grade, learningSteps_);
  } else if (card.state == CardState::Relearning) {
    wait = StepOrGraduate(card, grade, relearningSteps_);
  } else if (grade == Grade::Again) {
    ++card.lapses;
    if (relearningSteps_.empty()) {
      wait = ReviewInterval(card);
    } else {
      card.state = CardState::Relearning;
      card.step = 0;
      wait = relearningSteps_[0];
    }
  } else {
    wait = ReviewInterval(card);
  }
  card.due = now + wait;
  card.lastReview = now;
  ++card.reps;
  return {card, static_cast<double>(std::max<int64_t>(0, days)), static_cast<double>(wait) / kDay};
}

}  // namespace velmora
