// Where the window goes: the stored geometry is for 96 DPI, so it is scaled
// to the DPI of the monitor the window lands on (823 x 740 becomes 1235 x 1110
// at 144 DPI), then kept inside that monitor's work area.
#include "platform/win32/win32_window_state.h"
#include "platform/window_placement.h"

namespace {

ScreenRect workAreaOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return {};
  const RECT& r = monitor.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

void placeForDpi(HWND window, const WindowGeometry& geometry) {
  const ScreenRect stored{geometry.left, geometry.top, geometry.width, geometry.height};
  const double scale = GetDpiForWindow(window) / double{USER_DEFAULT_SCREEN_DPI};
  const ScreenRect placed = fitIntoWorkArea(scaledRect(stored, scale), workAreaOf(window));
  SetWindowPos(window, nullptr, placed.left, placed.top, placed.width, placed.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}
