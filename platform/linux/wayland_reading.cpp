// libwayland's read protocol for the watchdog, kept apart so only this file
// and wayland_window.cpp see Wayland's headers.
#include "platform/linux/wayland_reading.h"

#include <wayland-client-core.h>

#include <cerrno>

namespace {

wl_display* wayland(void* display) { return static_cast<wl_display*>(display); }

}  // namespace

void* createReaderQueue(void* display) { return wl_display_create_queue(wayland(display)); }

void destroyReaderQueue(void* queue) {
  if (queue) wl_event_queue_destroy(static_cast<wl_event_queue*>(queue));
}

int prepareWaylandRead(void* display, void* queue) {
  return wl_display_prepare_read_queue(wayland(display), static_cast<wl_event_queue*>(queue));
}

int readWaylandEvents(void* display) { return wl_display_read_events(wayland(display)); }

void cancelWaylandRead(void* display) { wl_display_cancel_read(wayland(display)); }

std::string waylandProtocolError(void* display) {
  if (!display || wl_display_get_error(wayland(display)) != EPROTO) return "";
  const wl_interface* interface = nullptr;
  uint32_t id = 0;
  const uint32_t code = wl_display_get_protocol_error(wayland(display), &interface, &id);
  return std::string(interface ? interface->name : "an object") + " " + std::to_string(id) + ": error " +
         std::to_string(code);
}
