// Opening the display for the SDL backend: the watchdog from the first
// moment, the video drivers to try, and one line that says what was tried
// when no display can be had.
#include <SDL2/SDL.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

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

// Whether a server that took our connection has gone. One that is frozen
// neither answers nor goes: SDL's failure on it is only told apart from a
// real refusal once it does one or the other (or after some seconds).
bool wentAway(const DisplayAddress& server) {
  constexpr int kProbeMs = 200;
  for (int tries = 0; tries < 25; ++tries) {
    if (!displayListens(server)) return true;
    if (displayAnswers(server, kProbeMs)) return false;
  }
  return false;
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
  handOverWaylandConnection(compositorListened ? compositor : std::nullopt);
  crashGuard_.emplace(compositorListened ? compositor : xServer, connectionFd_);
  const int initialized = SDL_Init(SDL_INIT_VIDEO);
  if (initialized == 0) {
    const bool wayland = std::strcmp(SDL_GetCurrentVideoDriver(), "wayland") == 0;
    server_ = wayland ? compositor : xServer;
    settleHandOver(wayland);
    crashGuard_.reset();
    crashGuard_.emplace(server_, connectionFd_);
    // A compositor that died while SDL was asking for its globals leaves SDL
    // without them, and its first window would crash on the missing ones.
    if (server_ && !displayListens(*server_)) ::endOnLostDisplay(std::nullopt);
    return;
  }
  settleHandOver(false);
  // A server that took the connection and is gone now died while we started.
  if ((xListened && wentAway(*xServer)) || (compositorListened && wentAway(*compositor)))
    ::endOnLostDisplay(std::nullopt);
  if (!environment("SDL_VIDEODRIVER").empty())
    throw Exception(std::string("Cannot open the display: ") + SDL_GetError());
  throw Exception("Cannot open the display: " + whyNoXServer(xListened) + " and " + whyNoCompositor(compositorListened));
}

// The program connects to the compositor itself and hands the connection to
// SDL through WAYLAND_SOCKET, so that the watchdog sees it hang up from its
// first byte on: a compositor that dies while SDL, libdecor or EGL sets up is
// a lost display wherever they are, never a spin on a dead socket.
void SdlWindowBackend::handOverWaylandConnection(const std::optional<DisplayAddress>& compositor) {
  const int fd = compositor ? openDisplayConnection(*compositor) : -1;
  if (fd < 0) return;
  setenv("WAYLAND_SOCKET", std::to_string(fd).c_str(), 1);
  connectionFd_ = fd;
  protocol_ = DisplayProtocol::Wayland;
  watchdog_.watch(fd, DisplayProtocol::Wayland, nullptr);
}

// After SDL's start-up: the handed-over connection is the program's display
// connection when SDL runs on Wayland; otherwise it is let go (libwayland
// closes what it took; one it never took is closed here), and no child finds
// it in its environment.
void SdlWindowBackend::settleHandOver(bool onWayland) {
  const bool taken = std::getenv("WAYLAND_SOCKET") == nullptr;  // libwayland unsets it as it takes the socket
  unsetenv("WAYLAND_SOCKET");
  if (onWayland || connectionFd_ < 0) return;
  watchdog_.forget();
  if (!taken) close(connectionFd_);
  connectionFd_ = -1;
  protocol_ = DisplayProtocol::X11;
}
