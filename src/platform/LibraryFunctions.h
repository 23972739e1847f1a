#pragma once
// Functions of a shared library loaded when first wanted, not with the
// program, so that a run that never needs the library never pays for it.
#include <QLibrary>

namespace velmora {

// Sets *function to the library's function of that name; false when it is missing.
template <typename Function>
bool Resolve(QLibrary &library, const char *name, Function *function) {
  *function = reinterpret_cast<Function>(library.resolve(name));
  return *function != nullptr;
}

}  // namespace velmora
