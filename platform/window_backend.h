// The narrow table through which the form library reaches a real window
// system. sdl/ drives SDL2, win32/ Windows itself, web/ a page's canvas;
// headless/ is a stand-in whose clock and events a test controls.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms/form_types.h"
#include "platform/native_window.h"

struct WindowGeometry {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;  // outer size, frame included
  int32_t height = 0;
  std::string caption;
};

// A 16-colour picture: one palette index (0-15) per pixel, rows top down.
struct IconImage {
  int width = 0;
  int height = 0;
  const uint32_t* palette = nullptr;  // 16 entries, 0xRRGGBB
  const char* const* rows = nullptr;  // each row: width hex digits

  int index(int x, int y) const {
    const char c = rows[y][x];
    return (c <= '9' ? c - '0' : c - 'a' + 10) & 15;
  }
  uint32_t colour(int x, int y) const { return palette[index(x, y)]; }
};

struct WindowEvent {
  enum class Kind { Nothing, Resize, KeyDown, MouseWheel, Close };
  Kind kind = Kind::Nothing;
  HWND window = nullptr;
  uint16_t key = 0;  // Windows virtual-key code, 0 for a key without one
  TShiftState shift = 0;
  int32_t wheelDelta = 0;  // positive for a turn away from the user
  TPoint mousePos;
};

inline WindowEvent makeEvent(WindowEvent::Kind kind, HWND window = nullptr) {
  WindowEvent event;
  event.kind = kind;
  event.window = window;
  return event;
}

// The platform's native handles, for the GL binding.
struct NativeHandles {
  enum class System { Unknown, X11, Wayland };
  System system = System::Unknown;
  void* display = nullptr;  // X11 Display* or wl_display*
  unsigned long x11Window = 0;  // X11: the window id
  void* waylandWindow = nullptr;  // Wayland: the wl_egl_window on the window's surface
  unsigned long visualId = 0;  // X11: the window's visual, 0 if unknown
};

// The largest client area, each way, in device pixels, that a backend lets
// its windows have, set as it makes them: an 8K screen fits; a software
// renderer dies allocating buffers far larger than this.
inline constexpr int32_t kLargestClientSide = 8192;

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;
  // Throws Exception with the platform's reason when no display can be used.
  virtual void initialize() = 0;
  // The window never grows past kLargestClientSide each way.
  virtual HWND createWindow(const WindowGeometry& geometry) = 0;
  virtual void destroyWindow(HWND window) = 0;
  virtual void showWindow(HWND window) = 0;
  virtual void setCaption(HWND window, const std::string& caption) = 0;
  virtual void setIcon(HWND window, const IconImage& icon) = 0;
  virtual TRect clientRect(HWND window) = 0;
  // Whether anything of the window can be seen: shown and not minimised.
  virtual bool isShowing(HWND window) = 0;
  virtual NativeHandles nativeHandles(HWND window) = 0;
  // Device pixels per pixel of a 96-DPI screen where the window is: 1 at
  // 100 %, 1.5 at 144 DPI, 2 at 200 %. Sizes the program keeps (the stored
  // geometry, the dot size) are for a scale of 1.
  virtual double scale(HWND window) = 0;
  // Waits up to timeoutUs (negative: without limit) for one event; false on
  // timeout. It may return early, never late by more than the system allows.
  virtual bool waitEvent(int64_t timeoutUs, WindowEvent& event) = 0;
  // Microseconds on a monotonic clock: fine enough that a deadline rounded to
  // it never falls before the whole interval has passed.
  virtual int64_t nowUs() = 0;
  // A modal box with one OK button and no owner; false when none could be shown.
  virtual bool showMessageBox(const std::string& text, const std::string& caption) = 0;
  // Called before a failure is reported: when the display connection has
  // gone, that loss is what ends the program, and the failure only its echo.
  virtual void endIfDisplayLost() {}
  // The application's work that is due now: every queued event, then a tick
  // if one is due. Returns the wait until the next tick (negative: none). A
  // window system that runs loops of its own (Windows, while the window is
  // moved, sized or its menu is open, and at log-off) calls it from there.
  using DueWork = std::function<int64_t()>;
  virtual void setDueWork(DueWork) {}
};
