#include "TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace velmora {

namespace {

// The signal handler may only write; the event loop reads the other end.
int signalSocket[2] = {-1, -1};

void OnSignal(int number) {
  static volatile sig_atomic_t received = 0;
  if (received) {
    // Asked twice: the teardown is not waited for.
    std::signal(number, SIG_DFL);
    std::raise(number);
    return;
  }
  received = 1;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
}

}  // namespace

void QuitOnTerminationSignals() {
  if (signalSocket[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0) return;
  auto *notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(signalSocket[1], &byte, 1);
    notifier->setEnabled(false);
    QCoreApplication::exit(128 + byte);
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

}  // namespace velmora
