#include "Fsrs.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double kLeastStability = 0.001, kMostStability = 36500;
constexpr int64_t kDay = 86400, kMinute = 60;

int G(Grade grade) { return static_cast<int>(grade); }
// The reference rounds its results to 8 decimals; so do we, so that an
// interval on the edge of a whole day rounds as the reference's does.
double Round8(double value) { return std::round(value * 1e8) / 1e8; }
double ClampStability(double stability) { return std::clamp(stability, kLeastStability, kMostStability); }

}  // namespace

int64_t LocalDayNumber(int64_t time) { return QDateTime::fromSecsSinceEpoch(time).date().toJulianDay(); }

int64_t UtcDayNumber(int64_t time) { return time >= 0 ? time / kDay : -((-time + kDay - 1) / kDay); }

FsrsScheduler::FsrsScheduler(double desiredRetention, DayNumber dayOf)
    : retention_(std::clamp(desiredRetention, kLeastRetention, kMostRetention)),
      dayOf_(dayOf),
      decay_(-kDefaultParameters[20]),
      factor_(Round8(std::pow(0.9, 1.0 / decay_) - 1)),
      intervalModifier_(Round8((std::pow(retention_, 1.0 / decay_) - 1) / factor_)) {}

int64_t FsrsScheduler::ElapsedDays(const CardMemory &card, int64_t now) const {
  if (card.state == CardState::New || card.lastReview == 0) return 0;
  return std::max<int64_t>(0, dayOf_(now) - dayOf_(card.lastReview));
}

double FsrsScheduler::ForgettingCurve(int64_t elapsedDays, double stability) const {
  return Round8(std::pow(1 + factor_ * static_cast<double>(elapsedDays) / stability, decay_));
}

double FsrsScheduler::Retrievability(const CardMemory &card, int64_t now) const {
  if (card.lastReview == 0 || card.stability <= 0) return 0;
  return ForgettingCurve(ElapsedDays(card, now), card.stability);
}

int FsrsScheduler::IntervalDays(double stability) const {
  return static_cast<int>(std::clamp<double>(std::round(stability * intervalModifier_), 1, kMaximumIntervalDays));
}

double FsrsScheduler::InitialDifficulty(Grade grade) const {
  return Round8(w_[4] - std::exp(w_[5] * (G(grade) - 1)) + 1);
}

double FsrsScheduler::NextDifficulty(double difficulty, Grade grade) const {
  const double change = -w_[6] * (G(grade) - 3);
  // Linear damping: a change shrinks as the difficulty nears 10.
  const double damped = difficulty + Round8(change * (10 - difficulty) / 9);
  // Mean reversion towards the difficulty of a first Easy.
  return std::clamp(Round8(w_[7] * InitialDifficulty(Grade::Easy) + (1 - w_[7]) * damped), 1.0, 10.0);
}

double FsrsScheduler::ShortTermStability(double stability, Grade grade) const {
  double increase = std::exp(w_[17] * (G(grade) - 3 + w_[18])) * std::pow(stability, -w_[19]);
  // A same-day Hard, Good or Easy never lowers stability.
  if (grade >= Grade::Hard) increase = std::max(increase, 1.0);
  return Round8(ClampStability(stability * increase));
}

double FsrsScheduler::RecallStability(const Memory &m, double r, Grade grade) const {
  const double hardPenalty = grade == Grade::Hard ? w_[15] : 1;
  const double easyBonus = grade == Grade::Easy ? w_[16] : 1;
  const double s = m.stability;
  return Round8(ClampStability(s * (1 + std::exp(w_[8]) * (11 - m.difficulty) * std::pow(s, -w_[9]) *
                                            (std::exp((1 - r) * w_[10]) - 1) * hardPenalty * easyBonus)));
}

double FsrsScheduler::ForgetStability(const Memory &m, double r) const {
  const double longTerm = Round8(ClampStability(w_[11] * std::pow(m.difficulty, -w_[12]) *
                                                (std::pow(m.stability + 1, w_[13]) - 1) * std::exp((1 - r) * w_[14])));
  const double shortTerm = Round8(m.stability / std::exp(w_[17] * w_[18]));
  return std::min(std::max(shortTerm, kLeastStability), longTerm);
}

FsrsScheduler::Memory FsrsScheduler::NextMemory(const CardMemory &card, Grade grade, int64_t elapsedDays) const {
  if (card.stability <= 0 || card.difficulty <= 0)
    return {std::max(w_[G(grade) - 1], 0.1), std::clamp(InitialDifficulty(grade), 1.0, 10.0)};
  const Memory m{card.stability, card.difficulty};
  const double r = ForgettingCurve(elapsedDays, m.stability);
  double stability = 0;
  if (elapsedDays == 0)
    stability = ShortTermStability(m.stability, grade);
  else if (grade == Grade::Again)
    stability = ForgetStability(m, r);
  else
    stability = RecallStability(m, r, grade);
  return {stability, NextDifficulty(m.difficulty, grade)};
}

int64_t FsrsScheduler::StepMinutes(CardMemory &card, Grade grade) const {
  const std::vector<int64_t> &steps =
      card.state == CardState::Relearning || card.state == CardState::Review ? relearningSteps_ : learningSteps_;
  const int count = static_cast<int>(steps.size());
  // No steps, or a card past the steps there are now: straight to review.
  if (count == 0 || card.step >= count) return 0;
  switch (grade) {
    case Grade::Again: card.step = 0; return steps[0];
    case Grade::Hard:
      // Between the first two steps (half again the only one), in whole minutes.
      return count == 1 ? std::llround(steps[0] * 1.5) : std::llround((steps[0] + steps[1]) / 2.0);
    case Grade::Good:
      if (card.step + 1 >= count) return 0;
      return steps[++card.step];
    case Grade::Easy: return 0;
  }
  return 0;
}

std::array<ScheduledReview, 4> FsrsScheduler::Preview(const CardMemory &before, int64_t now) const {
  const int64_t days = ElapsedDays(before, now);
  std::array<ScheduledReview, 4> results;
  std::array<CardMemory, 4> cards;
  for (const Grade grade : {Grade::Again, Grade::Hard, Grade::Good, Grade::Easy}) {
    CardMemory &card = cards[G(grade) - 1] = before;
    const Memory next = NextMemory(before, grade, days);
    card.stability = next.stability;
    card.difficulty = next.difficulty;
    card.lastReview = now;
    ++card.reps;
  }
  std::array<int64_t, 4> wait{};
  if (before.state == CardState::Review) {
    // Hard before Good before Easy, a day apart at least.
    int hard = IntervalDays(cards[1].stability), good = IntervalDays(cards[2].stability);
    hard = std::min(hard, good);
    good = std::max(good, hard + 1);
    const int easy = std::max(IntervalDays(cards[3].stability), good + 1);
    for (const auto &[index, interval] : {std::pair{1, hard}, std::pair{2, good}, std::pair{3, easy}}) {
      cards[index].state = CardState::Review;
      cards[index].step = 0;
      wait[index] = interval * kDay;
    }
    CardMemory &lapsed = cards[0];
    lapsed.step = 0;
    ++lapsed.lapses;
    const int64_t minutes = StepMinutes(lapsed, Grade::Again);
    lapsed.state = minutes > 0 ? CardState::Relearning : CardState::Review;
    wait[0] = minutes > 0 ? minutes * kMinute : IntervalDays(lapsed.stability) * kDay;
  } else {
    for (int i = 0; i < 4; ++i) {
      CardMemory &card = cards[i];
      const int64_t minutes = StepMinutes(card, static_cast<Grade>(i + 1));
      if (minutes > 0) {
        if (card.state == CardState::New) card.state = CardState::Learning;
        wait[i] = minutes * kMinute;
      } else {
        card.state = CardState::Review;
        card.step = 0;
        wait[i] = IntervalDays(card.stability) * kDay;
      }
    }
    // Graduated by both, Easy waits longer than Good, a day at least.
    if (cards[2].state == CardState::Review && cards[3].state == CardState::Review)
      wait[3] = std::max(wait[3], wait[2] + kDay);
  }
  for (int i = 0; i < 4; ++i) {
    cards[i].due = now + wait[i];
    results[i] = {cards[i], static_cast<double>(days), static_cast<double>(wait[i]) / kDay};
  }
  return results;
}

ScheduledReview FsrsScheduler::Review(const CardMemory &card, Grade grade, int64_t now) const {
  return Preview(card, now)[G(grade) - 1];
}

}  // namespace velmora
