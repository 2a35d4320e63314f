// SDL2 behind the window backend: the X11 driver, so EGL can bind to the
// native window; events become ours here and nowhere else.
#include "platform/sdl_window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <climits>

#include "platform/sdl_keys.h"

namespace {

struct SdlWindow final : NativeWindow {
  SdlWindow(SDL_Window* w, const WindowGeometry& g) : window(w), geometry(g) {}
  SDL_Window* window;
  WindowGeometry geometry;
};

SDL_Window* sdlOf(HWND window) { return static_cast<SdlWindow*>(window)->window; }

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

// The frame extents are known only once the window manager has framed the
// window; give it a moment, then place the frame where the geometry says.
void fitOuterGeometry(SdlWindow& w) {
  int top = 0, left = 0, bottom = 0, right = 0;
  for (int attempt = 0; attempt < 20; ++attempt) {
    SDL_PumpEvents();
    if (SDL_GetWindowBordersSize(w.window, &top, &left, &bottom, &right) == 0 && (top || left)) break;
    SDL_Delay(10);
  }
  const WindowGeometry& g = w.geometry;
  SDL_SetWindowSize(w.window, SDL_max(1, g.width - left - right), SDL_max(1, g.height - top - bottom));
  SDL_SetWindowPosition(w.window, g.left + left, g.top + top);
}

WindowEvent translateWindowEvent(const SDL_WindowEvent& e) {
  WindowEvent out;
  out.window = nativeOf(findWindow(e.windowID));
  if (e.event == SDL_WINDOWEVENT_SIZE_CHANGED) out.kind = WindowEvent::Kind::Resize;
  if (e.event == SDL_WINDOWEVENT_CLOSE) out.kind = WindowEvent::Kind::Close;
  return out;
}

WindowEvent translateKey(const SDL_KeyboardEvent& e) {
  WindowEvent out;
  out.kind = WindowEvent::Kind::KeyDown;
  out.window = nativeOf(findWindow(e.windowID));
  out.key = virtualKeyFromSdl(e.keysym.scancode, e.keysym.sym, e.keysym.mod);
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
  if (SDL_Init(SDL_INIT_VIDEO) != 0)
    throw Exception(std::string("Cannot open the display: ") + SDL_GetError());
  SDL_StopTextInput();  // key-downs only; no input method in the way
  initialized_ = true;
}

HWND SdlWindowBackend::createWindow(const WindowGeometry& geometry) {
  SDL_Window* window = SDL_CreateWindow(geometry.caption.c_str(), geometry.left, geometry.top, geometry.width,
                                        geometry.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
  if (!window) throw Exception(std::string("Cannot create the window: ") + SDL_GetError());
  auto native = new SdlWindow(window, geometry);
  SDL_SetWindowData(window, "native", static_cast<NativeWindow*>(native));
  return native;
}

void SdlWindowBackend::destroyWindow(HWND window) {
  if (!window) return;
  SDL_DestroyWindow(sdlOf(window));
  delete window;
}

void SdlWindowBackend::showWindow(HWND window) {
  SDL_ShowWindow(sdlOf(window));
  fitOuterGeometry(*static_cast<SdlWindow*>(window));
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

NativeHandles SdlWindowBackend::nativeHandles(HWND window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(sdlOf(window), &info) || info.subsystem != SDL_SYSWM_X11) return {};
  return {info.info.x11.display, info.info.x11.window};
}

bool SdlWindowBackend::waitEvent(int64_t timeoutMs, WindowEvent& event) {
  SDL_Event e;
  const int timeout = timeoutMs < 0 ? -1 : static_cast<int>(SDL_min(timeoutMs, int64_t{INT_MAX}));
  const int got = timeout < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeout);
  if (!got) return false;
  event = translate(e);
  return true;
}

int64_t SdlWindowBackend::nowMs() { return static_cast<int64_t>(SDL_GetTicks64()); }

bool SdlWindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  return SDL_ShowSimpleMessageBox(0, caption.c_str(), text.c_str(), nullptr) == 0;
}
