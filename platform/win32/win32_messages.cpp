// The viewer's window procedure: the messages the form library cares about
// become events on the backend's queue; everything else is Windows' own.
#include <windowsx.h>

#include "platform/win32/win32_window_state.h"

namespace {

void queue(HWND window, const WindowEvent& event) {
  if (Win32WindowState* state = windowState(window)) state->sink->events.push_back(event);
}

// A close request goes before everything still queued: nothing queued can
// matter once the window is closing, and the user should not wait for it.
void queueClose(HWND window) {
  if (Win32WindowState* state = windowState(window))
    state->sink->events.push_front(makeEvent(WindowEvent::Kind::Close, window));
}

// While the user sizes the window, Windows' loop holds the thread: the new
// size reaches the form at once, so the next frame fills the window.
void resized(HWND window) {
  queue(window, makeEvent(WindowEvent::Kind::Resize, window));
  if (insideWindowsLoop(window)) runDueWork(window);
}

TShiftState shiftState() {
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  TShiftState shift = 0;
  if (down(VK_SHIFT)) shift |= ssShift;
  if (down(VK_MENU)) shift |= ssAlt;
  if (down(VK_CONTROL)) shift |= ssCtrl;
  if (down(VK_LBUTTON)) shift |= ssLeft;
  if (down(VK_RBUTTON)) shift |= ssRight;
  if (down(VK_MBUTTON)) shift |= ssMiddle;
  return shift;
}

WindowEvent keyEvent(HWND window, WPARAM virtualKey) {
  WindowEvent event = makeEvent(WindowEvent::Kind::KeyDown, window);
  event.key = static_cast<uint16_t>(virtualKey);
  event.shift = shiftState();
  return event;
}

WindowEvent wheelEvent(HWND window, WPARAM wParam, LPARAM lParam) {
  WindowEvent event = makeEvent(WindowEvent::Kind::MouseWheel, window);
  event.wheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
  event.shift = shiftState();
  event.mousePos = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
  return event;
}

void attachState(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

// Alt alone or F10 would put the window into menu mode, and the next key
// would go to the system menu instead of the galaxy. Alt+Space still opens it.
bool isKeyboardMenu(WPARAM command, LPARAM lParam) { return (command & 0xFFF0) == SC_KEYMENU && lParam == 0; }

// Alt+letter has acted as the letter on WM_SYSKEYDOWN. Left to Windows, its
// character would look for a menu the window does not have, and beep.
bool isAltLetter(WPARAM character) { return character != L' '; }
// Alt+Space only opens the window menu: it does not also stop the galaxy.
bool isWindowMenuKey(WPARAM virtualKey) { return virtualKey == VK_SPACE; }

// Dragged to a monitor of another DPI: the size Windows suggests for it.
void followDpi(HWND window, LPARAM lParam) {
  const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The client area never grows beyond what the GL driver can draw.
void limitSize(HWND window, LPARAM lParam) {
  const Win32WindowState* state = windowState(window);
  if (!state || state->maxClientWidth <= 0) return;
  RECT outer{0, 0, state->maxClientWidth, state->maxClientHeight};
  AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE, 0,
                           GetDpiForWindow(window));
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  info->ptMaxTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

LRESULT CALLBACK viewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: attachState(window, lParam); break;
    case WM_SIZE: resized(window); return 0;
    case WM_KEYDOWN: queue(window, keyEvent(window, wParam)); return 0;
    case WM_SYSKEYDOWN:  // then to Windows, so Alt+F4 still closes
      if (!isWindowMenuKey(wParam)) queue(window, keyEvent(window, wParam));
      break;
    case WM_SYSCHAR: if (isAltLetter(wParam)) return 0; break;  // Alt+Space opens the window menu
    case WM_SYSCOMMAND: if (isKeyboardMenu(wParam, lParam)) return 0; break;
    case WM_ENTERSIZEMOVE:
    case WM_ENTERMENULOOP: enterWindowsLoop(window); break;
    case WM_EXITSIZEMOVE:
    case WM_EXITMENULOOP: leaveWindowsLoop(window); break;
    case WM_TIMER: if (wParam == kTickTimer) runDueWork(window); return 0;
    case WM_MOUSEWHEEL: queue(window, wheelEvent(window, wParam, lParam)); return 0;
    case WM_CLOSE: queueClose(window); return 0;  // the form library destroys the window
    // Log-off or shut-down: the whole close, before Windows may end the process.
    case WM_ENDSESSION: if (wParam) closeForEndOfSession(window); return 0;
    case WM_DPICHANGED: followDpi(window, lParam); return 0;
    case WM_GETMINMAXINFO: limitSize(window, lParam); return 0;
    case WM_ERASEBKGND: return 1;  // OpenGL paints every pixel; no flash of grey
    case WM_NCDESTROY: SetWindowLongPtrW(window, GWLP_USERDATA, 0); break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
