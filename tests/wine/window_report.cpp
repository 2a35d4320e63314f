// What Windows itself says of the viewer's window, for the tests under Wine:
// its outer rectangle, its client size and where the client area begins,
// whether it is minimised, whether a menu is open, and its caption, on one
// line, after its handle. With "box": the caption and text of a message box.
// Usage: window_report.exe [box]   (fails when there is no such window)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

int reportWindow() {
  HWND window = FindWindowW(L"GalaxyViewPort", nullptr);
  if (!window) return 1;
  RECT outer{}, client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  HWND menu = FindWindowW(L"#32768", nullptr);  // the class of every popup menu
  char caption[512] = {};
  GetWindowTextA(window, caption, sizeof caption);
  std::printf("handle %016llX left %ld top %ld width %ld height %ld client %ld %ld origin %ld %ld iconic %d menu %d "
              "caption %s\n",
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)), outer.left, outer.top,
              outer.right - outer.left, outer.bottom - outer.top, client.right, client.bottom, origin.x, origin.y,
              IsIconic(window) ? 1 : 0, menu && IsWindowVisible(menu) ? 1 : 0, caption);
  return 0;
}

// A message box is a dialog whose text is its one static control with text.
BOOL CALLBACK printStaticText(HWND child, LPARAM) {
  char className[64] = {}, text[512] = {};
  GetClassNameA(child, className, sizeof className);
  if (_stricmp(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
    std::printf("text %s\n", text);
  return TRUE;
}

int reportBox() {
  HWND box = FindWindowW(L"#32770", nullptr);
  if (!box) return 1;
  char caption[512] = {};
  GetWindowTextA(box, caption, sizeof caption);
  std::printf("caption %s\n", caption);
  EnumChildWindows(box, printStaticText, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Coordinates as the screen has them, not scaled for an unaware program.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  return argc > 1 && std::strcmp(argv[1], "box") == 0 ? reportBox() : reportWindow();
}
