// Opening the display for the SDL backend: the watchdog from the first
// moment, the video drivers to try, and one line that says what was tried
// when no display can be had.
#include <SDL2/SDL.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/linux/display_loss.h"
#include "platform/sdl/sdl_window.h"
#include "platform/linux/x11_frame.h"

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Without a runtime folder no compositor can be found (but at a full path),
// and libwayland would only print a complaint of its own.
bool waylandPossible() { return environment("WAYLAND_DISPLAY").starts_with("/") || !environment("XDG_RUNTIME_DIR").empty(); }

std::string whyNoXServer(bool listened) {
  const std::string display = environment("DISPLAY");
  if (display.empty()) return "no X server (DISPLAY is not set)";
  return listened ? "the X server at DISPLAY=" + display + " refused the connection"
                  : "no X server at DISPLAY=" + display;
}

std::string whyNoCompositor(bool listened) {
  const std::string name = environment("WAYLAND_DISPLAY");
  if (name.empty() && !listened) return "no Wayland compositor (WAYLAND_DISPLAY is not set)";
  if (!waylandPossible()) return "no Wayland compositor (XDG_RUNTIME_DIR is not set)";
  const std::string where = name.empty() ? "wayland-0" : "WAYLAND_DISPLAY=" + name;
  return listened ? "the Wayland compositor at " + where + " refused the connection"
                  : "no Wayland compositor at " + where;
}

}  // namespace

void SdlWindowBackend::initialize() {
  if (initialized_) return;
  noteViewerProcess();
  watchdog_.start();
  // Before SDL connects: an X server can die while SDL is still setting up.
  exitWhenXConnectionIsLost();
  openDisplay();
  noteQueuedCloses();
  SDL_StopTextInput();  // key-downs only; no input method in the way
  initialized_ = true;
}

void SdlWindowBackend::openDisplay() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");  // the watchdog's handlers take SIGTERM and SIGINT
  // X11 first where both exist: there the window goes where it is told. The
  // user's SDL_VIDEODRIVER still wins over this.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, waylandPossible() ? "x11,wayland" : "x11");
  // A write to a display server that has gone must fail, not kill us.
  std::signal(SIGPIPE, SIG_IGN);
  const auto xServer = xServerFromEnvironment();
  const auto compositor = compositorFromEnvironment();
  const bool xListened = xServer && displayListens(*xServer);
  const bool compositorListened = compositor && displayListens(*compositor);
  int initialized = 0;
  {
    const DisplayCrashGuard guard(compositorListened ? compositor : xServer);
    initialized = SDL_Init(SDL_INIT_VIDEO);
  }
  if (initialized == 0) {
    server_ = std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0 ? xServer : compositor;
    // A compositor that died while SDL was asking for its globals leaves SDL
    // without them, and its first window would crash on the missing ones.
    if (server_ && !displayListens(*server_)) ::endOnLostDisplay(std::nullopt);
    return;
  }
  // A server that took the connection and is gone now died while we started.
  if ((xListened && !displayListens(*xServer)) || (compositorListened && !displayListens(*compositor)))
    ::endOnLostDisplay(std::nullopt);
  if (!environment("SDL_VIDEODRIVER").empty())
    throw Exception(std::string("Cannot open the display: ") + SDL_GetError());
  throw Exception("Cannot open the display: " + whyNoXServer(xListened) + " and " + whyNoCompositor(compositorListened));
}
