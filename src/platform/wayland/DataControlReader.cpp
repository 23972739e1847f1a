#include "DataControlReader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client-protocol.h>
#include <QStringList>

#include <QElapsedTimer>
#include <map>
#include <memory>

#include "WaylandInterfaces.h"

namespace velmora::wayland {

namespace {

constexpr qsizetype kLongestText = 1 << 20;

// What the compositor told of the seat's selections.
struct SessionState : DataControlGlobals {
  std::map<wl_proxy *, QStringList> offers;
  wl_proxy *selection = nullptr, *primary = nullptr;
};

void OfferedType(void *data, wl_proxy *offer, const char *mimeType) {
  static_cast<SessionState *>(data)->offers[offer] << QString::fromUtf8(mimeType);
}

const DataControlOfferListener kOfferListener{OfferedType};

void DataOffer(void *data, wl_proxy *, wl_proxy *offer) {
  auto &state = *static_cast<SessionState *>(data);
  state.offers[offer];
  wl_proxy_add_listener(
      offer, reinterpret_cast<void (**)(void)>(const_cast<DataControlOfferListener *>(&kOfferListener)), data);
}
void Selection(void *data, wl_proxy *, wl_proxy *offer) { static_cast<SessionState *>(data)->selection = offer; }
void Finished(void *, wl_proxy *) {}
void PrimarySelection(void *data, wl_proxy *, wl_proxy *offer) { static_cast<SessionState *>(data)->primary = offer; }

const DataControlDeviceListener kDeviceListener{DataOffer, Selection, Finished, PrimarySelection};

// The text an offer holds, read from its pipe until the owner closes it or
// the time is up.
QString Receive(wl_display *display, wl_proxy *offer, const QString &mimeType, QElapsedTimer &clock, int timeout) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return {};
  wl_proxy_marshal_flags(offer, kReceive, nullptr, wl_proxy_get_version(offer), 0, mimeType.toUtf8().constData(),
                         ends[1]);
  wl_display_flush(display);
  close(ends[1]);
  QByteArray bytes;
  char buffer[4096];
  while (bytes.size() < kLongestText) {
    const int left = timeout - static_cast<int>(clock.elapsed());
    if (left <= 0) break;
    pollfd readable{ends[0], POLLIN, 0};
    if (poll(&readable, 1, left) <= 0) break;
    const ssize_t got = read(ends[0], buffer, sizeof buffer);
    if (got <= 0) break;
    bytes.append(buffer, got);
  }
  close(ends[0]);
  return QString::fromUtf8(bytes);
}

}  // namespace

QString TextMimeType(const QStringList &offered) {
  for (const char *type : {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "TEXT", "STRING"})
    if (offered.contains(QLatin1String(type))) return QLatin1String(type);
  for (const QString &type : offered)
    if (type.startsWith(QLatin1String("text/plain"))) return type;
  return {};
}

namespace {

std::optional<QString> ReadWithDataControl(int timeoutMilliseconds, bool primaryFirst);

}  // namespace

std::optional<QString> ReadSelectionWithDataControl(int timeoutMilliseconds) {
  return ReadWithDataControl(timeoutMilliseconds, true);
}

std::optional<QString> ReadClipboardWithDataControl(int timeoutMilliseconds) {
  return ReadWithDataControl(timeoutMilliseconds, false);
}

namespace {

std::optional<QString> ReadWithDataControl(int timeoutMilliseconds, bool primaryFirst) {
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return {};
  std::unique_ptr<wl_display, void (*)(wl_display *)> display(wl_display_connect(nullptr), wl_display_disconnect);
  if (!display) return {};
  QElapsedTimer clock;
  clock.start();
  SessionState state;
  wl_registry *registry = wl_display_get_registry(display.get());
  wl_registry_add_listener(registry, &kDataControlRegistryListener, static_cast<DataControlGlobals *>(&state));
  wl_display_roundtrip(display.get());
  if (!state.protocol || !state.seat) {
    if (state.seat) wl_proxy_destroy(state.seat);
    wl_registry_destroy(registry);
    return {};
  }
  const DataControlInterfaces &protocol = *state.protocol;
  auto *manager =
      static_cast<wl_proxy *>(wl_registry_bind(registry, state.managerName, protocol.manager, protocol.version));
  wl_proxy *device = wl_proxy_marshal_flags(manager, kGetDataDevice, protocol.device, wl_proxy_get_version(manager), 0,
                                            nullptr, state.seat);
  wl_proxy_add_listener(
      device, reinterpret_cast<void (**)(void)>(const_cast<DataControlDeviceListener *>(&kDeviceListener)), &state);
  // The device's first events tell the selections and the types they offer.
  wl_display_roundtrip(display.get());
  QString text;
  for (wl_proxy *offer : {primaryFirst ? state.primary : nullptr, state.selection}) {
    if (!offer || !text.trimmed().isEmpty()) continue;
    const QString type = TextMimeType(state.offers[offer]);
    if (!type.isEmpty()) text = Receive(display.get(), offer, type, clock, timeoutMilliseconds);
  }
  for (const auto &[offer, types] : state.offers)
    wl_proxy_marshal_flags(offer, kOfferDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
  wl_proxy_marshal_flags(device, kDeviceDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
  wl_proxy_marshal_flags(manager, kManagerDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
  wl_proxy_destroy(state.seat);
  wl_registry_destroy(registry);
  wl_display_flush(display.get());
  return text;
}

}  // namespace

}  // namespace velmora::wayland
