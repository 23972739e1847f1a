#include "WaylandInterfaces.h"

#include <wayland-client-protocol.h>

#include <QString>

namespace velmora::wayland {

namespace {

// One protocol's four interfaces, named by its prefix. The message tables
// point at the interfaces of the object arguments they carry.
struct DataControlTables {
  wl_interface manager{}, device{}, source{}, offer{};
  const wl_interface *types[8]{};
  wl_message managerRequests[3]{}, deviceRequests[3]{}, deviceEvents[4]{}, sourceRequests[2]{}, sourceEvents[2]{},
      offerRequests[2]{}, offerEvents[1]{};
  DataControlInterfaces interfaces{};

  DataControlTables(const char *managerName, const char *deviceName, const char *sourceName, const char *offerName,
                    unsigned version, bool primaryFromTwo) {
    // types: [0] none, [1] source, [2] device, [3] seat, [4] offer
    types[0] = nullptr;
    types[1] = &source;
    types[2] = &device;
    types[3] = &wl_seat_interface;
    types[4] = &offer;
    const char *optionalObject = primaryFromTwo ? "2?o" : "?o";
    managerRequests[0] = {"create_data_source", "n", &types[1]};
    managerRequests[1] = {"get_data_device", "no", &types[2]};
    managerRequests[2] = {"destroy", "", &types[0]};
    deviceRequests[0] = {"set_selection", "?o", &types[1]};
    deviceRequests[1] = {"destroy", "", &types[0]};
    deviceRequests[2] = {"set_primary_selection", optionalObject, &types[1]};
    deviceEvents[0] = {"data_offer", "n", &types[4]};
    deviceEvents[1] = {"selection", "?o", &types[4]};
    deviceEvents[2] = {"finished", "", &types[0]};
    deviceEvents[3] = {"primary_selection", optionalObject, &types[4]};
    sourceRequests[0] = {"offer", "s", &types[0]};
    sourceRequests[1] = {"destroy", "", &types[0]};
    sourceEvents[0] = {"send", "sh", &types[0]};
    sourceEvents[1] = {"cancelled", "", &types[0]};
    offerRequests[0] = {"receive", "sh", &types[0]};
    offerRequests[1] = {"destroy", "", &types[0]};
    offerEvents[0] = {"offer", "s", &types[0]};
    const int v = static_cast<int>(version);
    manager = {managerName, v, 3, managerRequests, 0, nullptr};
    device = {deviceName, v, 3, deviceRequests, 4, deviceEvents};
    source = {sourceName, v, 2, sourceRequests, 2, sourceEvents};
    offer = {offerName, v, 2, offerRequests, 1, offerEvents};
    interfaces = {&manager, &device, &source, &offer, version};
  }
};

}  // namespace

const DataControlInterfaces &WlrDataControl() {
  static DataControlTables tables("zwlr_data_control_manager_v1", "zwlr_data_control_device_v1",
                                  "zwlr_data_control_source_v1", "zwlr_data_control_offer_v1", 2, true);
  return tables.interfaces;
}

const DataControlInterfaces &ExtDataControl() {
  static DataControlTables tables("ext_data_control_manager_v1", "ext_data_control_device_v1",
                                  "ext_data_control_source_v1", "ext_data_control_offer_v1", 1, false);
  return tables.interfaces;
}

const wl_interface &XdgActivation() {
  struct Tables {
    wl_interface token{}, activation{};
    const wl_interface *types[5]{};
    wl_message tokenRequests[4]{}, tokenEvents[1]{}, requests[3]{};
    Tables() {
      // types: [0] none, [1] seat, [2] token, [3] none, [4] surface
      types[1] = &wl_seat_interface;
      types[2] = &token;
      types[4] = &wl_surface_interface;
      tokenRequests[0] = {"set_serial", "uo", &types[0]};
      tokenRequests[1] = {"set_app_id", "s", &types[0]};
      tokenRequests[2] = {"set_surface", "o", &types[4]};
      tokenRequests[3] = {"commit", "", &types[0]};
      tokenEvents[0] = {"done", "s", &types[0]};
      requests[0] = {"destroy", "", &types[0]};
      requests[1] = {"get_activation_token", "n", &types[2]};
      requests[2] = {"activate", "so", &types[3]};
      token = {"xdg_activation_token_v1", 1, 4, tokenRequests, 1, tokenEvents};
      activation = {"xdg_activation_v1", 1, 3, requests, 0, nullptr};
    }
  };
  static Tables tables;
  return tables.activation;
}

namespace {

void Global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
  auto &found = *static_cast<DataControlGlobals *>(data);
  const QLatin1String named(interface);
  if (named == QLatin1String(wl_seat_interface.name) && !found.seat) {
    found.seat = static_cast<wl_proxy *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (named == QLatin1String(ExtDataControl().manager->name)) {
    found.protocol = &ExtDataControl();
    found.managerName = name;
  } else if (named == QLatin1String(WlrDataControl().manager->name) && found.protocol != &ExtDataControl() &&
             version >= 1) {
    found.protocol = &WlrDataControl();
    found.managerName = name;
  }
}

void GlobalRemoved(void *, wl_registry *, uint32_t) {}

}  // namespace

const wl_registry_listener kDataControlRegistryListener{Global, GlobalRemoved};

}  // namespace velmora::wayland
