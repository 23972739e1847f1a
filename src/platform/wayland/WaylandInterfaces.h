#pragma once
// The Wayland interfaces the program speaks beyond the core protocol, as
// libwayland needs them described: the data-control protocols (wlroots'
// and its successor in wayland-protocols) that read the selection without
// keyboard focus, and xdg-activation, which lets a window come forward with
// the token its launcher was given. No Debian package ships the data-control
// description, so the tables are written here; both data-control protocols
// have the same requests and events in the same order.
#include <wayland-client-core.h>

struct wl_registry_listener;

namespace velmora::wayland {

struct DataControlInterfaces {
  const wl_interface *manager, *device, *source, *offer;
  // The version bound at most: wlroots' protocol has the primary selection
  // from version 2 on.
  unsigned version;
};

// zwlr_data_control_*_v1 and ext_data_control_*_v1.
const DataControlInterfaces &WlrDataControl();
const DataControlInterfaces &ExtDataControl();
const wl_interface &XdgActivation();

// Request opcodes, the same in both data-control protocols.
enum DataControlManagerRequest : unsigned { kCreateDataSource = 0, kGetDataDevice = 1, kManagerDestroy = 2 };
enum DataControlDeviceRequest : unsigned { kSetSelection = 0, kDeviceDestroy = 1 };
enum DataControlOfferRequest : unsigned { kReceive = 0, kOfferDestroy = 1 };
enum XdgActivationRequest : unsigned { kActivationDestroy = 0, kGetActivationToken = 1, kActivate = 2 };

// The events, in the order the listeners take them.
struct DataControlDeviceListener {
  void (*dataOffer)(void *data, wl_proxy *device, wl_proxy *offer);
  void (*selection)(void *data, wl_proxy *device, wl_proxy *offer);
  void (*finished)(void *data, wl_proxy *device);
  void (*primarySelection)(void *data, wl_proxy *device, wl_proxy *offer);
};
struct DataControlOfferListener {
  void (*offer)(void *data, wl_proxy *offer, const char *mimeType);
};

// What a client of data-control learns from the registry: the seat, and the
// protocol to bind (wayland-protocols' own before wlroots'). A registry
// listener given a DataControlGlobals as its data fills it.
struct DataControlGlobals {
  wl_proxy *seat = nullptr;
  uint32_t managerName = 0;
  const DataControlInterfaces *protocol = nullptr;
};
extern const struct wl_registry_listener kDataControlRegistryListener;

}  // namespace velmora::wayland
