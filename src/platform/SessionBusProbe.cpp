#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "InstanceBus.h"

namespace velmora {

namespace {

// Waits until the socket is ready for the events, within what is left of the time.
bool Ready(int socket, short events, const QElapsedTimer &clock, int milliseconds) {
  const int left = milliseconds - static_cast<int>(clock.elapsed());
  if (left <= 0) return false;
  pollfd wanted{socket, events, 0};
  return poll(&wanted, 1, left) == 1 && (wanted.revents & events) != 0;
}

// A unix socket address of the bus ("unix:path=..." or "unix:abstract=...").
bool UnixAddress(const QByteArray &entry, sockaddr_un *address, socklen_t *length) {
  if (!entry.startsWith("unix:")) return false;
  for (const QByteArray &pair : entry.mid(5).split(',')) {
    const bool abstract = pair.startsWith("abstract="), path = pair.startsWith("path=");
    if (!abstract && !path) continue;
    const QByteArray name = pair.mid(pair.indexOf('=') + 1);
    if (name.isEmpty() || static_cast<size_t>(name.size()) + 1 >= sizeof address->sun_path) return false;
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path + (abstract ? 1 : 0), name.constData(), static_cast<size_t>(name.size()));
    *length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + (abstract ? 1 : 0) + name.size() + (abstract ? 0 : 1));
    return true;
  }
  return false;
}

}  // namespace

bool SessionBusAnswers(int milliseconds) {
  const QByteArray addresses = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  sockaddr_un address{};
  socklen_t length = 0;
  const QList<QByteArray> entries = addresses.split(';');
  const auto reachable = std::find_if(entries.begin(), entries.end(),
                                      [&](const QByteArray &entry) { return UnixAddress(entry, &address, &length); });
  // No address to try, or one of another kind: left to the bus library.
  if (reachable == entries.end()) return true;
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (socket < 0) return false;
  QElapsedTimer clock;
  clock.start();
  bool answered = false;
  const int connected = ::connect(socket, reinterpret_cast<const sockaddr *>(&address), length);
  if (connected == 0 || (errno == EINPROGRESS && Ready(socket, POLLOUT, clock, milliseconds))) {
    // The daemon answers the first step of authentication, OK or REJECTED,
    // whoever asks; a stopped one says nothing.
    const QByteArray hello = QByteArray(1, '\0') + "AUTH EXTERNAL " + QByteArray::number(getuid()).toHex() + "\r\n";
    char reply[64];
    answered = ::send(socket, hello.constData(), static_cast<size_t>(hello.size()), MSG_NOSIGNAL) == hello.size() &&
               Ready(socket, POLLIN, clock, milliseconds) && ::recv(socket, reply, sizeof reply, 0) > 0;
  }
  ::close(socket);
  return answered;
}

void ForgetSessionBus() {
  std::fprintf(stderr, "velmora: the session bus (%s) does not answer; running without it\n",
               qgetenv("DBUS_SESSION_BUS_ADDRESS").constData());
  // An address that fails at once: without any, the bus library would try to
  // start a bus of its own.
  qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null/velmora-no-session-bus");
}

}  // namespace velmora
