// What Windows itself says of the viewer's window, for the tests under Wine:
// its outer rectangle, its client size and where the client area begins,
// whether it is minimised, whether a menu is open, and its caption, on one
// line, after its handle. With "box": the caption and text of a message box.
// With "dialog CAPTION": a dialog's caption, then the class and text of each
// control in it that has text (an installer's page, its licence among them).
// Usage: window_report.exe [box | dialog CAPTION]   (fails when there is no such window)
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

// Text of a control of another program: WM_GETTEXT, which Windows carries across.
BOOL CALLBACK printControl(HWND child, LPARAM) {
  if (!IsWindowVisible(child)) return TRUE;
  static char text[65536];
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  DWORD_PTR length = 0;
  text[0] = '\0';
  SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
  if (length > 0) std::printf("%s %s\n", className, text);
  return TRUE;
}

struct DialogSearch {
  const char* captionStart;
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  char className[64] = {}, caption[512] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, caption, sizeof caption);
  if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window) ||
      std::strncmp(caption, search->captionStart, std::strlen(search->captionStart)) != 0)
    return TRUE;
  search->found = window;
  std::printf("caption %s\n", caption);
  return FALSE;
}

// The first visible dialog whose caption begins with the text given.
int reportDialog(const char* captionStart) {
  DialogSearch search{captionStart, nullptr};
  EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  EnumChildWindows(search.found, printControl, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Coordinates as the screen has them, not scaled for an unaware program.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (argc > 2 && std::strcmp(argv[1], "dialog") == 0) return reportDialog(argv[2]);
  return argc > 1 && std::strcmp(argv[1], "box") == 0 ? reportBox() : reportWindow();
}
