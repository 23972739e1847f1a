#include "WaylandActivation.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-protocol.h>
#include <QGuiApplication>
#include <QWindow>

#include "WaylandInterfaces.h"

namespace velmora::wayland {

namespace {

struct Found {
  uint32_t name = 0;
};

void Global(void *data, wl_registry *, uint32_t name, const char *interface, uint32_t) {
  if (QLatin1String(interface) == QLatin1String(XdgActivation().name)) static_cast<Found *>(data)->name = name;
}
void GlobalRemoved(void *, wl_registry *, uint32_t) {}
const wl_registry_listener kRegistryListener{Global, GlobalRemoved};

}  // namespace

bool ActivateWithToken(QWindow *window, const QString &token) {
  if (!window || token.isEmpty() || QGuiApplication::platformName() != QLatin1String("wayland")) return false;
  QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
  auto *display = static_cast<wl_display *>(native->nativeResourceForIntegration("wl_display"));
  auto *surface = static_cast<wl_surface *>(native->nativeResourceForWindow("surface", window));
  if (!display || !surface) return false;
  // A queue of its own, so that Qt's events are neither taken nor held up.
  wl_event_queue *queue = wl_display_create_queue(display);
  auto *wrapped = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapped), queue);
  wl_registry *registry = wl_display_get_registry(wrapped);
  Found found;
  wl_registry_add_listener(registry, &kRegistryListener, &found);
  wl_display_roundtrip_queue(display, queue);
  bool sent = false;
  if (found.name != 0) {
    auto *activation = static_cast<wl_proxy *>(wl_registry_bind(registry, found.name, &XdgActivation(), 1));
    wl_proxy_marshal_flags(activation, kActivate, nullptr, 1, 0, token.toUtf8().constData(), surface);
    wl_proxy_marshal_flags(activation, kActivationDestroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    sent = true;
  }
  wl_registry_destroy(registry);
  wl_proxy_wrapper_destroy(wrapped);
  wl_display_flush(display);
  wl_event_queue_destroy(queue);
  return sent;
}

QString TakeLaunchToken() {
  const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
  qunsetenv("XDG_ACTIVATION_TOKEN");
  return token;
}

}  // namespace velmora::wayland
