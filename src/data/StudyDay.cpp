#include "StudyDay.h"

#include <QDateTime>
#include <algorithm>

namespace velmora {

int64_t DayStart(int64_t time, int offsetDays, int dayStartHour) {
  const int hour = std::clamp(dayStartHour, 0, 23);
  const QDateTime at = QDateTime::fromSecsSinceEpoch(time);
  QDate day = at.date();
  if (at.time().hour() < hour) day = day.addDays(-1);
  return QDateTime(day.addDays(offsetDays), QTime(hour, 0)).toSecsSinceEpoch();
}

}  // namespace velmora
