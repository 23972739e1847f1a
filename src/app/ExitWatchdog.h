#pragma once
// The program ends when its window is closed, whatever a thread of a
// library is blocked on: a file chooser's look at a named pipe the user
// typed, a read of a file swapped for a pipe. Once the event loop is left,
// the teardown (the window's state saved, the application's destructors,
// the thread pool joined) has this long; then the process ends with the
// status it was going to return.
#include <chrono>

namespace velmora {

void ArmExitWatchdog(int status, std::chrono::milliseconds grace = std::chrono::seconds(3));

}  // namespace velmora
