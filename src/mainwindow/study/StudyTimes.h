#pragma once
// The times the Study view's pages tell: now, when a card is due ("in 3
// days"), how long a sitting took, worded in the interface language.
#include <QDateTime>
#include <QString>
#include <cstdint>

#include "lang/Captions.h"
#include "practice/StudySession.h"

namespace velmora {

inline int64_t Now() { return QDateTime::currentSecsSinceEpoch(); }

// "in 3 days", "in 9 minutes", "now".
inline QString WhenDue(int64_t due, int64_t now) {
  const int64_t wait = due - now;
  if (wait <= 0) return CaptionOr("WHENNOW", "now");
  if (wait < 3600) return CaptionOr("WHENMINUTES", "in %1 min").arg((wait + 59) / 60);
  if (due < DayStart(now, 1))
    return CaptionOr("WHENTODAY", "today at %1").arg(QDateTime::fromSecsSinceEpoch(due).toString("HH:mm"));
  const int64_t days = (DayStart(due) - DayStart(now)) / 86400;
  return days == 1 ? CaptionOr("WHENTOMORROW", "tomorrow") : CaptionOr("WHENDAYS", "in %1 days").arg(days);
}

inline QString Duration(int64_t seconds) {
  return seconds < 60 ? CaptionOr("DURSECONDS", "%1 s").arg(seconds)
                      : CaptionOr("DURMINUTES", "%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

}  // namespace velmora
