// The canvas as the one window. Browser callbacks queue events and wake the
// message loop, which sleeps in waitEvent through Asyncify: the one loop of
// the desktop runs unchanged, and the browser paints and delivers events
// whenever it waits.
#include "platform/web/web_window.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "platform/web/web_keys.h"

namespace {

constexpr const char* kCanvas = "#canvas";

struct PageWindow : NativeWindow {};
PageWindow g_pageWindow;

WebWindowBackend& backendOf(void* userData) { return *static_cast<WebWindowBackend*>(userData); }

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void* userData) {
  const uint16_t key = virtualKeyFromDom(e->key, e->code, e->ctrlKey, e->altKey, e->metaKey);
  if (!key) return EM_FALSE;  // the browser's: no preventDefault
  WindowEvent event = makeEvent(WindowEvent::Kind::KeyDown, &g_pageWindow);
  event.key = key;
  event.shift = e->shiftKey ? ssShift : 0;
  backendOf(userData).post(event);
  return EM_TRUE;
}

// One step per event, whatever its size: a turn away from the user (deltaY
// below zero) is a positive delta, as on the desktop.
EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void* userData) {
  if (e->deltaY == 0.0) return EM_TRUE;
  WindowEvent event = makeEvent(WindowEvent::Kind::MouseWheel, &g_pageWindow);
  event.wheelDelta = e->deltaY < 0.0 ? 120 : -120;
  event.mousePos = {static_cast<int32_t>(e->mouse.targetX), static_cast<int32_t>(e->mouse.targetY)};
  backendOf(userData).post(event);
  return EM_TRUE;  // the page itself never scrolls
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void* userData) {
  backendOf(userData).followPageSize();
  return EM_FALSE;
}

EM_BOOL onVisibilityChange(int, const EmscriptenVisibilityChangeEvent*, void*) {
  EM_ASM({ if (Module.wakeGalaxy) Module.wakeGalaxy(); });
  return EM_FALSE;
}

// Kept from the browser, so that it restores the context.
EM_BOOL onContextLost(int, const void*, void*) { return EM_TRUE; }

// Drawing resumes; the new size is set again on the new context.
EM_BOOL onContextRestored(int, const void*, void* userData) {
  backendOf(userData).post(makeEvent(WindowEvent::Kind::Resize, &g_pageWindow));
  return EM_FALSE;
}

// Lost from the moment it is, before the browser's event says so.
bool contextLost() {
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_get_current_context();
  return context && emscripten_is_webgl_context_lost(context);
}

bool pageHidden() {
  EmscriptenVisibilityChangeEvent status{};
  return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS && status.hidden;
}

}  // namespace

// Sleeps until the time is up (a negative time: without limit) or
// Module.wakeGalaxy is called, whichever comes first.
EM_ASYNC_JS(void, sleepUntilWoken, (double timeoutMs), {
  await new Promise(resolve => {
    let timer = null;
    const wake = () => { clearTimeout(timer); Module.wakeGalaxy = null; resolve(); };
    if (timeoutMs >= 0) timer = setTimeout(wake, timeoutMs);
    Module.wakeGalaxy = wake;
  });
});

EM_JS(void, showPageCaption, (const char* caption), { Module.showCaption(UTF8ToString(caption)); });

EM_JS(void, showPageFailure, (const char* text, const char* caption), {
  Module.showFailure(UTF8ToString(caption), UTF8ToString(text));
});

void WebWindowBackend::initialize() {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_FALSE, onKeyDown);
  emscripten_set_wheel_callback(kCanvas, this, EM_FALSE, onWheel);
  emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, onResize);
  emscripten_set_visibilitychange_callback(this, EM_FALSE, onVisibilityChange);
  emscripten_set_webglcontextlost_callback(kCanvas, this, EM_FALSE, onContextLost);
  emscripten_set_webglcontextrestored_callback(kCanvas, this, EM_FALSE, onContextRestored);
}

HWND WebWindowBackend::createWindow(const WindowGeometry& geometry) {
  window_ = &g_pageWindow;
  followPageSize();
  events_.clear();  // the window's first size is its own, not an event
  setCaption(window_, geometry.caption);
  return window_;
}

void WebWindowBackend::destroyWindow(HWND window) {
  if (window == window_) window_ = nullptr;
}

void WebWindowBackend::showWindow(HWND) {}

void WebWindowBackend::setCaption(HWND, const std::string& caption) { showPageCaption(caption.c_str()); }

TRect WebWindowBackend::clientRect(HWND) { return {0, 0, width_, height_}; }

bool WebWindowBackend::isShowing(HWND window) { return window == window_ && !contextLost() && !pageHidden(); }

double WebWindowBackend::scale(HWND) { return emscripten_get_device_pixel_ratio(); }

// The drawing buffer matches the canvas's place on the page, in device pixels.
// A new scale alone is a resize too: the browser's zoom changes the scale and
// the canvas's size in CSS pixels together, which may keep the device pixels.
void WebWindowBackend::followPageSize() {
  double cssWidth = 0, cssHeight = 0;
  emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
  const double scale = emscripten_get_device_pixel_ratio();
  const auto width = static_cast<int32_t>(std::lround(cssWidth * scale));
  const auto height = static_cast<int32_t>(std::lround(cssHeight * scale));
  if (width == width_ && height == height_ && scale == scale_) return;
  width_ = width, height_ = height, scale_ = scale;
  emscripten_set_canvas_element_size(kCanvas, width, height);
  post(makeEvent(WindowEvent::Kind::Resize, &g_pageWindow));
}

void WebWindowBackend::post(const WindowEvent& event) {
  events_.push_back(event);
  EM_ASM({ if (Module.wakeGalaxy) Module.wakeGalaxy(); });
}

bool WebWindowBackend::waitEvent(int64_t timeoutUs, WindowEvent& event) {
  while (pageHidden()) sleepUntilWoken(-1);
  // A move to a screen of another density changes the scale without any
  // event a page can rely on; it is looked at once a turn of the loop.
  if (window_ && emscripten_get_device_pixel_ratio() != scale_) followPageSize();
  if (events_.empty() && timeoutUs != 0) sleepUntilWoken(timeoutUs < 0 ? -1.0 : static_cast<double>(timeoutUs) / 1000.0);
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}

// performance.now(), rounded up: a deadline never counts as reached early.
int64_t WebWindowBackend::nowUs() { return static_cast<int64_t>(std::ceil(emscripten_get_now() * 1000.0)); }

bool WebWindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  showPageFailure(text.c_str(), caption.c_str());
  return true;
}
