// SDL2 behind the window backend: the X11 driver, so EGL can bind to the
// native window; events become ours here and nowhere else.
#include "platform/sdl_window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <cstring>
#include <optional>

#include "platform/modal_box_guard.h"
#include "platform/sdl_keys.h"
#include "platform/window_placement.h"
#include "platform/x11_frame.h"

namespace {

struct SdlWindow final : NativeWindow {
  SdlWindow(SDL_Window* w, const WindowGeometry& g) : window(w), geometry(g) {}
  SDL_Window* window;
  WindowGeometry geometry;
  bool framed = false;  // the client size already allows for the frame
  int maxWidth = 0;     // 0: no limit
  int maxHeight = 0;
};

SdlWindow& sdlWindow(HWND window) { return *static_cast<SdlWindow*>(window); }
SDL_Window* sdlOf(HWND window) { return sdlWindow(window).window; }

constexpr int32_t kWheelDelta = 120;  // one notch, as Windows counts it
constexpr int kFrameAnswerMs = 200;   // how long the window manager may take to tell its frame

SDL_Window* findWindow(Uint32 id) { return SDL_GetWindowFromID(id); }

HWND nativeOf(SDL_Window* window) {
  return window ? static_cast<HWND>(SDL_GetWindowData(window, "native")) : nullptr;
}

TPoint globalMouse() {
  TPoint p;
  SDL_GetGlobalMouseState(&p.x, &p.y);
  return p;
}

std::optional<SDL_SysWMinfo> wmInfo(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) return std::nullopt;
  return info;
}

ScreenRect workAreaOf(SDL_Window* window) {
  SDL_Rect area{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDisplayUsableBounds(display, &area) != 0) return {};
  return {area.x, area.y, area.w, area.h};
}

// The frame's rectangle: the stored outer geometry, moved and shrunk where
// the work area is smaller.
ScreenRect outerRect(SdlWindow& w) {
  const WindowGeometry& g = w.geometry;
  return fitIntoWorkArea({g.left, g.top, g.width, g.height}, workAreaOf(w.window));
}

void setClientSize(SdlWindow& w, const ScreenRect& outer, const FrameExtents& frame) {
  SDL_SetWindowSize(w.window, SDL_max(1, outer.width - frame.left - frame.right),
                    SDL_max(1, outer.height - frame.top - frame.bottom));
}

// Before the window is mapped: ask the window manager for the frame, so the
// window maps at its final geometry and the first frame drawn has the real
// client area.
void placeBeforeMapping(SdlWindow& w) {
  const auto info = wmInfo(w.window);
  if (!info || info->subsystem != SDL_SYSWM_X11) return;
  const auto frame = requestFrameExtents(info->info.x11.display, info->info.x11.window, kFrameAnswerMs);
  if (!frame) return;
  const ScreenRect outer = outerRect(w);
  setClientSize(w, outer, *frame);
  // Unmapped, the requested position is where the frame's corner goes.
  SDL_SetWindowPosition(w.window, outer.left, outer.top);
  w.framed = true;
}

// For a window manager that does not answer the request: the frame is known
// once the window is framed; give it a moment, then place it.
void placeAfterMapping(SdlWindow& w) {
  const auto info = wmInfo(w.window);
  if (!info || info->subsystem != SDL_SYSWM_X11) return;
  std::optional<FrameExtents> frame;
  for (int attempt = 0; attempt < 20 && !frame; ++attempt) {
    SDL_PumpEvents();
    frame = currentFrameExtents(info->info.x11.display, info->info.x11.window);
    if (!frame) SDL_Delay(10);
  }
  const FrameExtents extents = frame.value_or(FrameExtents{});
  const ScreenRect outer = outerRect(w);
  setClientSize(w, outer, extents);
  // Mapped, SDL places the client area.
  SDL_SetWindowPosition(w.window, outer.left + extents.left, outer.top + extents.top);
}

// Holds the window to its maximum size where nothing else did (no window
// manager, or one that ignores the size hints).
void enforceMaximumSize(SDL_Window* window) {
  HWND native = nativeOf(window);
  if (!native) return;
  const SdlWindow& w = sdlWindow(native);
  int width = 0, height = 0;
  SDL_GetWindowSize(window, &width, &height);
  if ((w.maxWidth && width > w.maxWidth) || (w.maxHeight && height > w.maxHeight))
    SDL_SetWindowSize(window, SDL_min(width, w.maxWidth), SDL_min(height, w.maxHeight));
}

WindowEvent translateWindowEvent(const SDL_WindowEvent& e) {
  WindowEvent out;
  out.window = nativeOf(findWindow(e.windowID));
  if (e.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
    enforceMaximumSize(findWindow(e.windowID));
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
  if (initialized_) SDL_Quit();
}

void SdlWindowBackend::initialize() {
  if (initialized_) return;
  // EGL binds to the native X11 window; XWayland covers Wayland desktops.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  // A write to a display server that has gone must fail, not kill us.
  std::signal(SIGPIPE, SIG_IGN);
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    throw Exception(std::string("Cannot open the display: ") + SDL_GetError());
  if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) exitWhenXConnectionIsLost();
  SDL_StopTextInput();  // key-downs only; no input method in the way
  initialized_ = true;
}

HWND SdlWindowBackend::createWindow(const WindowGeometry& geometry) {
  SDL_Window* window = SDL_CreateWindow(geometry.caption.c_str(), geometry.left, geometry.top, geometry.width,
                                        geometry.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window) throw Exception(std::string("Cannot create the window: ") + SDL_GetError());
  auto native = new SdlWindow(window, geometry);
  SDL_SetWindowData(window, "native", static_cast<NativeWindow*>(native));
  placeBeforeMapping(*native);
  return native;
}

void SdlWindowBackend::destroyWindow(HWND window) {
  if (!window) return;
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
  SDL_GetWindowSize(sdlOf(window), &r.right, &r.bottom);
  return r;
}

bool SdlWindowBackend::isShowing(HWND window) {
  return !(SDL_GetWindowFlags(sdlOf(window)) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED));
}

void SdlWindowBackend::setMaximumClientSize(HWND window, int32_t width, int32_t height) {
  SdlWindow& w = sdlWindow(window);
  w.maxWidth = width;
  w.maxHeight = height;
  SDL_SetWindowMaximumSize(w.window, width, height);
  enforceMaximumSize(w.window);
}

NativeHandles SdlWindowBackend::nativeHandles(HWND window) {
  const auto info = wmInfo(sdlOf(window));
  if (!info || info->subsystem != SDL_SYSWM_X11) return {};
  void* display = info->info.x11.display;
  const unsigned long id = info->info.x11.window;
  return {display, id, windowVisualId(display, id), displayConnectionFd(display)};
}

bool SdlWindowBackend::waitEvent(int64_t timeoutUs, WindowEvent& event) {
  SDL_Event e;
  // SDL waits in whole milliseconds: round up, so a wait never ends before
  // its deadline and the loop never spins on a wait of zero.
  const int64_t timeoutMs = timeoutUs < 0 ? -1 : (timeoutUs + 999) / 1000;
  const int timeout = timeoutMs < 0 ? -1 : static_cast<int>(SDL_min(timeoutMs, int64_t{INT_MAX}));
  const int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
  if (!got) return false;
  event = translate(e);
  return true;
}

int64_t SdlWindowBackend::nowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SdlWindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  ModalBoxGuard guard;  // SIGTERM still ends the program; the box goes with it
  return SDL_ShowSimpleMessageBox(0, caption.c_str(), text.c_str(), nullptr) == 0;
}
