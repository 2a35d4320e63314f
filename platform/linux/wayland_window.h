// The Wayland side of a window that EGL draws into: a wl_egl_window on the
// window's wl_surface, sized with the window.
#pragma once

// surface: the window's wl_surface. Null when it cannot be made.
void* createWaylandEglWindow(void* surface, int width, int height);
void resizeWaylandEglWindow(void* eglWindow, int width, int height);
void destroyWaylandEglWindow(void* eglWindow);

// The socket of the wl_display connection.
int waylandConnectionFd(void* display);
