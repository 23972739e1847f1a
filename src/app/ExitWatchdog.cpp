#include "ExitWatchdog.h"

#include <unistd.h>

#include <cstdio>
#include <thread>

namespace velmora {

void ArmExitWatchdog(int status, std::chrono::milliseconds grace) {
  std::thread([status, grace] {
    std::this_thread::sleep_for(grace);
    std::fputs("velmora: the teardown did not end; ending now\n", stderr);
    std::fflush(stderr);
    _exit(status);
  }).detach();
}

}  // namespace velmora
