// wl_egl_window calls, kept apart so only this file sees Wayland's headers.
#include "platform/linux/wayland_window.h"

#include <wayland-client-core.h>
#include <wayland-egl.h>

void* createWaylandEglWindow(void* surface, int width, int height) {
  return wl_egl_window_create(static_cast<wl_surface*>(surface), width, height);
}

void resizeWaylandEglWindow(void* eglWindow, int width, int height) {
  wl_egl_window_resize(static_cast<wl_egl_window*>(eglWindow), width, height, 0, 0);
}

void destroyWaylandEglWindow(void* eglWindow) { wl_egl_window_destroy(static_cast<wl_egl_window*>(eglWindow)); }

int waylandConnectionFd(void* display) { return wl_display_get_fd(static_cast<wl_display*>(display)); }
