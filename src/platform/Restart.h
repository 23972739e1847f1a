#pragma once
// Starting the program again, for what takes effect only at a start (a new
// dictionary, another edition): the running one quits, and main starts the
// new one once this one has let go of the single-instance bus name, so that
// the new one takes it.
#include <QString>

namespace velmora {

// Asks whether to start again now, saying what changed; on yes, quits the
// event loop with the restart requested. True when the user said yes.
bool OfferRestart(const QString &what, const QString &title);
void RequestRestart();
bool RestartRequested();
// Starts the program again with the same arguments, marked as started
// again (kRestartedVariable); false when it could not.
bool StartAgain();
inline constexpr char kRestartedVariable[] = "VELMORA_STARTED_AGAIN";
// True in a process StartAgain started: it waits for the bus name the one
// before it is letting go, and owns it.
bool StartedAgain();
// How long a process started again waits for the bus name.
inline constexpr int kNameWaitMilliseconds = 2000;

}  // namespace velmora
