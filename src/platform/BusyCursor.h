#pragma once
// The wait pointer while the dictionary runs a query.
namespace velmora {

// Shows the wait pointer for the span of every query from now on (when there
// is a graphical application) and restores the pointer that was there before.
void ShowBusyPointerDuringQueries();

}  // namespace velmora
