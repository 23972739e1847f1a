#include "DataControlWatch.h"

#include <wayland-client-protocol.h>

#include <QSocketNotifier>
#include <set>

#include "WaylandInterfaces.h"

namespace velmora::wayland {

struct DataControlWatch::Connection : DataControlGlobals {
  wl_display *display = nullptr;
  wl_registry *registry = nullptr;
  wl_proxy *manager = nullptr, *device = nullptr;
  std::set<wl_proxy *> offers;
  wl_proxy *selection = nullptr, *primary = nullptr;
  // The first events tell the selections as they stand: no change.
  bool started = false;
  DataControlWatch *watch = nullptr;
  QSocketNotifier *notifier = nullptr;

  ~Connection() {
    for (wl_proxy *offer : offers) wl_proxy_marshal_flags(offer, kOfferDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    if (device) wl_proxy_marshal_flags(device, kDeviceDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    if (manager) wl_proxy_marshal_flags(manager, kManagerDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    if (seat) wl_proxy_destroy(seat);
    if (registry) wl_registry_destroy(registry);
    if (display) wl_display_disconnect(display);
  }

  // Offers that are neither selection any more are let go.
  void KeepOnlyCurrent() {
    for (auto at = offers.begin(); at != offers.end();) {
      if (*at == selection || *at == primary) {
        ++at;
        continue;
      }
      wl_proxy_marshal_flags(*at, kOfferDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
      at = offers.erase(at);
    }
  }
};

namespace {

using Connection = DataControlWatch::Connection;

void OfferedType(void *, wl_proxy *, const char *) {}
const DataControlOfferListener kOfferListener{OfferedType};

void DataOffer(void *data, wl_proxy *, wl_proxy *offer) {
  static_cast<Connection *>(data)->offers.insert(offer);
  wl_proxy_add_listener(
      offer, reinterpret_cast<void (**)(void)>(const_cast<DataControlOfferListener *>(&kOfferListener)), data);
}
void Selection(void *data, wl_proxy *, wl_proxy *offer) {
  auto &c = *static_cast<Connection *>(data);
  c.selection = offer;
  c.KeepOnlyCurrent();
  if (c.started && offer) emit c.watch->clipboardChanged();
}
void Finished(void *, wl_proxy *) {}
void PrimarySelection(void *data, wl_proxy *, wl_proxy *offer) {
  auto &c = *static_cast<Connection *>(data);
  c.primary = offer;
  c.KeepOnlyCurrent();
  if (c.started && offer) emit c.watch->primaryChanged();
}
const DataControlDeviceListener kDeviceListener{DataOffer, Selection, Finished, PrimarySelection};

}  // namespace

std::unique_ptr<DataControlWatch> DataControlWatch::Start(QObject *parent) {
  if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return nullptr;
  auto c = std::make_unique<Connection>();
  c->display = wl_display_connect(nullptr);
  if (!c->display) return nullptr;
  c->registry = wl_display_get_registry(c->display);
  wl_registry_add_listener(c->registry, &kDataControlRegistryListener, static_cast<DataControlGlobals *>(c.get()));
  wl_display_roundtrip(c->display);
  if (!c->protocol || !c->seat) return nullptr;
  c->manager = static_cast<wl_proxy *>(
      wl_registry_bind(c->registry, c->managerName, c->protocol->manager, c->protocol->version));
  c->device = wl_proxy_marshal_flags(c->manager, kGetDataDevice, c->protocol->device, wl_proxy_get_version(c->manager),
                                     0, nullptr, c->seat);
  wl_proxy_add_listener(
      c->device, reinterpret_cast<void (**)(void)>(const_cast<DataControlDeviceListener *>(&kDeviceListener)), c.get());
  std::unique_ptr<DataControlWatch> watch(new DataControlWatch(std::move(c), parent));
  return watch;
}

DataControlWatch::DataControlWatch(std::unique_ptr<Connection> connection, QObject *parent)
    : QObject(parent), connection_(std::move(connection)) {
  connection_->watch = this;
  wl_display_roundtrip(connection_->display);
  connection_->started = true;
  connection_->notifier = new QSocketNotifier(wl_display_get_fd(connection_->display), QSocketNotifier::Read, this);
  connect(connection_->notifier, &QSocketNotifier::activated, this, &DataControlWatch::Dispatch);
}

DataControlWatch::~DataControlWatch() = default;

void DataControlWatch::Dispatch() {
  // Only when the compositor wrote: no wakeup while nothing is selected.
  if (wl_display_dispatch(connection_->display) < 0) connection_->notifier->setEnabled(false);
  wl_display_flush(connection_->display);
}

}  // namespace velmora::wayland
