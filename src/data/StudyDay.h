#pragma once
// The learner's day, as Anki counts it: it starts at an hour of the night
// (4:00 local time by default), so that a sitting past midnight still
// belongs to the evening's day, and a card due "tomorrow" is due from the
// morning, not from the minute of yesterday's sitting.
#include <cstdint>

namespace velmora {

constexpr int kDefaultDayStartHour = 4;

// The start of the learner's day holding the time, and of the days around it.
int64_t DayStart(int64_t time, int offsetDays = 0, int dayStartHour = kDefaultDayStartHour);

}  // namespace velmora
