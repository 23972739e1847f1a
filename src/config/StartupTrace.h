#pragma once
// Marks on the way through the start, for measuring it from outside: with the
// logging rule "velmora.startup.info=true" each mark is written to the log as
// "velmora-startup <event> <CLOCK_MONOTONIC nanoseconds>". Silent otherwise.
namespace velmora {

// Writes the mark the first time it is called with this event name.
void TraceStartup(const char *event);

}  // namespace velmora
