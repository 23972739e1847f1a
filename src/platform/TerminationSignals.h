#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a kill, Ctrl+C in a terminal) end the
// program as closing its window does: the event loop is left and every
// window's teardown runs, so that an import in progress takes its part
// files and lock with it. A second signal while that runs ends at once.
namespace velmora {

void QuitOnTerminationSignals();

}  // namespace velmora
