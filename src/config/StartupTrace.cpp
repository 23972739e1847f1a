#include "StartupTrace.h"

#include <time.h>

#include <QLoggingCategory>
#include <mutex>
#include <set>
#include <string>

namespace velmora {

namespace {
Q_LOGGING_CATEGORY(lcStartup, "velmora.startup", QtWarningMsg)
}  // namespace

void TraceStartup(const char *event) {
  if (!lcStartup().isInfoEnabled()) return;
  // Marks come from the workers of the start too.
  static std::mutex guard;
  static std::set<std::string> seen;
  const std::lock_guard<std::mutex> lock(guard);
  if (!seen.insert(event).second) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  qCInfo(lcStartup).noquote() << "velmora-startup" << event
                              << static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace velmora
