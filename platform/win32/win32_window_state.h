// What the Win32 backend's files share about one window: where its messages
// go and its size limit, kept in the window's user data.
#pragma once
#include <deque>
#include <string>

#include "platform/window_backend.h"

inline constexpr wchar_t kWindowClassName[] = L"GalaxyViewPort";

// The backend's side of the window procedure: the queue messages become
// events on, and the application's due work, which the procedure runs itself
// while Windows' own loops (moving, sizing, a menu, log-off) hold the thread.
struct Win32EventSink {
  std::deque<WindowEvent> events;
  WindowBackend::DueWork dueWork;
  int windowsLoops = 0;  // how many of Windows' own loops run now; ours pumps no message then
};

struct Win32WindowState {
  Win32EventSink* sink = nullptr;
  int32_t maxClientWidth = kLargestClientSide;
  int32_t maxClientHeight = kLargestClientSide;
};

// The state CreateWindowEx was given; null before WM_NCCREATE and after WM_NCDESTROY.
inline Win32WindowState* windowState(HWND window) {
  return reinterpret_cast<Win32WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The viewer's window procedure (win32_messages.cpp).
LRESULT CALLBACK viewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Windows' own loops, which hold the thread while the window is moved or
// sized or its menu is open, and log-off (win32_modal_loops.cpp).
void enterWindowsLoop(HWND window);
void leaveWindowsLoop(HWND window);
bool insideWindowsLoop(HWND window);
void runDueWork(HWND window);
void closeForEndOfSession(HWND window);
inline constexpr UINT_PTR kTickTimer = 1;

// Places the window as stored, scaled to its monitor's DPI and kept inside
// the monitor's work area (win32_placement.cpp).
void placeForDpi(HWND window, const WindowGeometry& geometry);

// UTF-8 to the system's UTF-16 and back.
std::wstring wideText(const std::string& text);
std::string utf8Text(const std::wstring& text);
