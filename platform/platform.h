// Which window backend and GL binding the form library uses. The program
// runs on SDL2 and EGL on X11 or Wayland, on Win32 and WGL on Windows, on a
// canvas and WebGL in the browser; off Windows, tests and tools may install
// others before Application->Initialize().
#pragma once
#include "platform/window_backend.h"

WindowBackend& windowBackend();

#ifndef _WIN32
// Windows has its own GL calls; elsewhere they are routed to a binding.
#include "platform/gl_binding.h"

GlBinding& glBinding();

// Installs a backend and binding; both must outlive their use.
void usePlatform(WindowBackend& backend, GlBinding& binding);
// The platform of this build: SDL2 and EGL on the desktop, the page's canvas
// and WebGL in the browser.
void useDefaultPlatform();
#ifndef __EMSCRIPTEN__
// Back to SDL2 and EGL on the desktop.
void useDesktopPlatform();
#endif
#endif
