// A program whose last thread blocks for good at the end, as a library's
// thread blocked on a named pipe does: it must end anyway.
#include <fcntl.h>

#include <chrono>
#include <thread>

#include "app/ExitWatchdog.h"

int main(int argc, char **argv) {
  if (argc < 2) return 2;
  velmora::ArmExitWatchdog(7, std::chrono::milliseconds(200));
  std::thread([path = argv[1]] { open(path, O_RDONLY); }).join();  // no writer ever comes
  return 0;
}
