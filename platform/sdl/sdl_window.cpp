// SDL2 behind the window backend, on its X11 driver where there is an X
// server and on Wayland otherwise (or when the user asks for it); events
// become ours here and nowhere else.
#include "platform/sdl/sdl_window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <poll.h>

#include <chrono>

#include "platform/linux/display_loss.h"
#include "platform/sdl/modal_box_guard.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_window_state.h"
#include "platform/linux/wayland_reading.h"
#include "platform/linux/wayland_window.h"
#include "platform/linux/x11_frame.h"
#include "platform/linux/x11_scale.h"

namespace {

SdlWindow& sdlWindow(HWND window) { return *static_cast<SdlWindow*>(window); }
SDL_Window* sdlOf(HWND window) { return sdlWindow(window).window; }

constexpr int32_t kWheelDelta = 120;  // one notch, as Windows counts it

SDL_Window* findWindow(Uint32 id) { return SDL_GetWindowFromID(id); }

HWND nativeOf(SDL_Window* window) {
  return window ? static_cast<HWND>(SDL_GetWindowData(window, "native")) : nullptr;
}

TPoint globalMouse() {
  TPoint p;
  SDL_GetGlobalMouseState(&p.x, &p.y);
  return p;
}

// On Wayland the surface EGL draws into has its own size, in device pixels;
// it follows the window's before the resize is handed on, so the next frame
// fills it.
void followSize(SdlWindow& w) {
  SDL_GetWindowSizeInPixels(w.window, &w.pixelWidth, &w.pixelHeight);
  if (w.waylandEglWindow) resizeWaylandEglWindow(w.waylandEglWindow, w.pixelWidth, w.pixelHeight);
}

// A window moved to an output of another scale keeps its logical size; only
// its size in pixels tells.
bool pixelSizeChanged(const SdlWindow& w) {
  int width = 0, height = 0;
  SDL_GetWindowSizeInPixels(w.window, &width, &height);
  return width != w.pixelWidth || height != w.pixelHeight;
}

WindowEvent translateWindowEvent(const SDL_WindowEvent& e) {
  WindowEvent out;
  out.window = nativeOf(findWindow(e.windowID));
  const bool resized = e.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.event == SDL_WINDOWEVENT_DISPLAY_CHANGED;
  if (resized || (out.window && pixelSizeChanged(sdlWindow(out.window)))) {
    if (out.window) {
      enforceMaximumSize(sdlWindow(out.window));
      followSize(sdlWindow(out.window));
    }
    out.kind = WindowEvent::Kind::Resize;
  }
  if (e.event == SDL_WINDOWEVENT_CLOSE) out.kind = WindowEvent::Kind::Close;
  return out;
}

WindowEvent translateKey(const SDL_KeyboardEvent& e) {
  WindowEvent out;
  out.kind = WindowEvent::Kind::KeyDown;
  out.window = nativeOf(findWindow(e.windowID));
  out.key = virtualKeyFromSdl(e.keysym.scancode, e.keysym.sym, e.keysym.mod, currentLayoutIsLatin());
  out.shift = shiftStateFromSdl(e.keysym.mod);
  return out;
}

WindowEvent translateWheel(const SDL_MouseWheelEvent& e) {
  WindowEvent out;
  if (e.y == 0) return out;  // a sideways scroll is not a wheel turn
  out.kind = WindowEvent::Kind::MouseWheel;
  out.window = nativeOf(findWindow(e.windowID));
  const int32_t notches = e.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.y : e.y;
  out.wheelDelta = notches * kWheelDelta;
  out.shift = shiftStateFromSdl(static_cast<uint16_t>(SDL_GetModState()));
  out.mousePos = globalMouse();
  return out;
}

WindowEvent translate(const SDL_Event& e) {
  switch (e.type) {
    case SDL_WINDOWEVENT: return translateWindowEvent(e.window);
    case SDL_KEYDOWN: return translateKey(e.key);
    case SDL_MOUSEWHEEL: return translateWheel(e.wheel);
    case SDL_QUIT: return makeEvent(WindowEvent::Kind::Close);
    default: return WindowEvent{};
  }
}

}  // namespace

SdlWindowBackend::~SdlWindowBackend() {
  if (!initialized_) return;
  // The connection closes with SDL; until the process has let go of the
  // display, a close still has its deadline.
  watchdog_.forget();
  SDL_Quit();
  watchdog_.finish();
}

HWND SdlWindowBackend::createWindow(const WindowGeometry& geometry) {
  // High DPI: on a scaled Wayland output the buffer has the output's pixels.
  const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  SDL_Window* window = SDL_CreateWindow(geometry.caption.c_str(), geometry.left, geometry.top, geometry.width,
                                        geometry.height, flags);
  if (!window) {
    // On a connection that died under it SDL fails in its own words.
    endIfDisplayLost();
    throw Exception(std::string("Cannot create the window: ") + SDL_GetError());
  }
  auto native = new SdlWindow(window, geometry);
  SDL_SetWindowData(window, "native", static_cast<NativeWindow*>(native));
  watchConnectionOf(native);
  if (const auto info = wmInfo(window); info && info->subsystem == SDL_SYSWM_X11)
    native->geometryScale = x11DesktopScale(info->info.x11.display);
  // SDL counts its limit in window units; enforceMaximumSize holds the
  // device pixels to it wherever the scale makes them more.
  SDL_SetWindowMaximumSize(window, kLargestClientSide, kLargestClientSide);
  placeBeforeMapping(*native);
  SDL_GetWindowSizeInPixels(window, &native->pixelWidth, &native->pixelHeight);
  return native;
}

// The connection is watched from the first window on X11 (Xlib's I/O error
// handler covers the time before), and on Wayland from before SDL started;
// there the watchdog now also gets the display, to read it while we work.
void SdlWindowBackend::watchConnectionOf(HWND window) {
  if (waylandDisplay_ || (connectionFd_ >= 0 && protocol_ == DisplayProtocol::X11)) return;
  const auto info = wmInfo(sdlOf(window));
  if (!info) return;
  if (info->subsystem == SDL_SYSWM_X11) {
    connectionFd_ = displayConnectionFd(info->info.x11.display);
  } else if (info->subsystem == SDL_SYSWM_WAYLAND) {
    protocol_ = DisplayProtocol::Wayland;
    waylandDisplay_ = info->info.wl.display;
    connectionFd_ = waylandConnectionFd(waylandDisplay_);
  }
  if (connectionFd_ < 0) return;
  watchdog_.watch(connectionFd_, protocol_, waylandDisplay_);
  crashGuard_.reset();
  crashGuard_.emplace(server_, connectionFd_);
}

void SdlWindowBackend::destroyWindow(HWND window) {
  if (!window) return;
  if (sdlWindow(window).waylandEglWindow) destroyWaylandEglWindow(sdlWindow(window).waylandEglWindow);
  SDL_DestroyWindow(sdlOf(window));
  delete window;
}

void SdlWindowBackend::showWindow(HWND window) {
  SDL_ShowWindow(sdlOf(window));
  if (!sdlWindow(window).framed) placeAfterMapping(sdlWindow(window));
}

void SdlWindowBackend::setCaption(HWND window, const std::string& caption) {
  SDL_SetWindowTitle(sdlOf(window), caption.c_str());
}

void SdlWindowBackend::setIcon(HWND window, const IconImage& icon) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, icon.width, icon.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;  // the window keeps the desktop's default icon
  for (int y = 0; y < icon.height; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < icon.width; ++x) row[x] = 0xFF000000u | icon.colour(x, y);
  }
  SDL_SetWindowIcon(sdlOf(window), surface);
  SDL_FreeSurface(surface);
}

TRect SdlWindowBackend::clientRect(HWND window) {
  TRect r;
  SDL_GetWindowSizeInPixels(sdlOf(window), &r.right, &r.bottom);
  return r;
}

// X11 has one scale for the whole screen; on Wayland it is the output's,
// which SDL has applied as the window's pixel density.
double SdlWindowBackend::scale(HWND window) {
  const SdlWindow& w = sdlWindow(window);
  return w.geometryScale * pixelDensity(w.window);
}

bool SdlWindowBackend::isShowing(HWND window) {
  return !(SDL_GetWindowFlags(sdlOf(window)) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED));
}

NativeHandles SdlWindowBackend::nativeHandles(HWND window) {
  const auto info = wmInfo(sdlOf(window));
  NativeHandles native;
  if (!info) return native;
  if (info->subsystem == SDL_SYSWM_X11) {
    native.system = NativeHandles::System::X11;
    native.display = info->info.x11.display;
    native.x11Window = info->info.x11.window;
    native.visualId = windowVisualId(native.display, native.x11Window);
  } else if (info->subsystem == SDL_SYSWM_WAYLAND) {
    SdlWindow& w = sdlWindow(window);
    if (!w.waylandEglWindow) {
      const TRect client = clientRect(window);
      w.waylandEglWindow = createWaylandEglWindow(info->info.wl.surface, client.right, client.bottom);
    }
    if (!w.waylandEglWindow) return native;
    native.system = NativeHandles::System::Wayland;
    native.display = info->info.wl.display;
    native.waylandWindow = w.waylandEglWindow;
  }
  return native;
}

namespace {

// While the user-interface thread waits for events it reads the connection
// itself (SDL looks at the socket before it reads); the watchdog reads it
// while the program works.
class ReadingPaused {
 public:
  explicit ReadingPaused(Watchdog& watchdog) : watchdog_(watchdog) { watchdog_.pauseReading(); }
  ~ReadingPaused() { watchdog_.resumeReading(); }
  ReadingPaused(const ReadingPaused&) = delete;
  ReadingPaused& operator=(const ReadingPaused&) = delete;

 private:
  Watchdog& watchdog_;
};

// A close waiting anywhere in SDL's queue, noted as SDL queues it.
int SDLCALL noteClose(void* userdata, SDL_Event* e) {
  const bool close = e->type == SDL_QUIT || (e->type == SDL_WINDOWEVENT && e->window.event == SDL_WINDOWEVENT_CLOSE);
  if (close) *static_cast<bool*>(userdata) = true;
  return 1;
}

}  // namespace

void SdlWindowBackend::noteQueuedCloses() { SDL_AddEventWatch(noteClose, &closeQueued_); }

bool SdlWindowBackend::waitEvent(int64_t timeoutUs, WindowEvent& event) {
  ReadingPaused paused(watchdog_);
  const int64_t deadline = timeoutUs < 0 ? -1 : nowUs() + timeoutUs;
  for (;;) {
    if (takeEvent(event)) return true;
    const int64_t left = deadline < 0 ? -1 : deadline - nowUs();
    if (deadline >= 0 && left <= 0) return false;
    waitForTraffic(left);
  }
}

// The next event for the program, if one is waiting: a close first.
bool SdlWindowBackend::takeEvent(WindowEvent& event) {
  if (watchdog_.takeCloseRequest()) {
    event = makeEvent(WindowEvent::Kind::Close);
    return true;
  }
  SDL_PumpEvents();
  if (closeQueued_) {
    closeQueued_ = false;
    // SDL reports a Wayland compositor that went away as a request to quit;
    // it is a lost display, as on X11, not a close.
    if (displayHungUp(connectionFd_)) endOnLostDisplay();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    event = makeEvent(WindowEvent::Kind::Close);
    return true;
  }
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    event = translate(e);
    if (event.kind != WindowEvent::Kind::Nothing) return true;
  }
  return false;
}

// Sleeps until the display has something for us, a signal asks for a close,
// or the time is up. Rounded up to whole milliseconds, so a wait never ends
// before its deadline and the loop never spins on a wait of zero.
void SdlWindowBackend::waitForTraffic(int64_t timeoutUs) {
  pollfd fds[2] = {{watchdog_.wakeFd(), POLLIN, 0}, {connectionFd_, POLLIN, 0}};
  const int64_t timeoutMs = timeoutUs < 0 ? -1 : (timeoutUs + 999) / 1000;
  poll(fds, 2, static_cast<int>(SDL_min(timeoutMs, int64_t{INT32_MAX})));
  if (fds[0].revents & POLLIN) watchdog_.clearWake();
}

void SdlWindowBackend::endOnLostDisplay() {
  const std::string error = waylandProtocolError(waylandDisplay_);
  ::endOnLostDisplay(peerOf(connectionFd_, protocol_), error.empty() ? nullptr : error.c_str());
}

int64_t SdlWindowBackend::nowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void SdlWindowBackend::endIfDisplayLost() {
  if (displayHungUp(connectionFd_)) endOnLostDisplay();
  if (server_ && !displayListens(*server_)) ::endOnLostDisplay(std::nullopt);
}

bool SdlWindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  if (!initialized_) return false;  // no display: a box would only add a helper's complaint
  ModalBoxGuard guard;  // SIGTERM still ends the program; the box goes with it
  return SDL_ShowSimpleMessageBox(0, caption.c_str(), text.c_str(), nullptr) == 0;
}
