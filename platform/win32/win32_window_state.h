// What the Win32 backend's files share about one window: the queue its
// messages go to and its size limit, kept in the window's user data.
#pragma once
#include <deque>
#include <string>

#include "platform/window_backend.h"

inline constexpr wchar_t kWindowClassName[] = L"GalaxyViewPort";

struct Win32WindowState {
  std::deque<WindowEvent>* events = nullptr;
  int32_t maxClientWidth = kLargestClientSide;
  int32_t maxClientHeight = kLargestClientSide;
};

// The state CreateWindowEx was given; null before WM_NCCREATE and after WM_NCDESTROY.
inline Win32WindowState* windowState(HWND window) {
  return reinterpret_cast<Win32WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The viewer's window procedure (win32_messages.cpp).
LRESULT CALLBACK viewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Places the window as stored, scaled to its monitor's DPI and kept inside
// the monitor's work area (win32_placement.cpp).
void placeForDpi(HWND window, const WindowGeometry& geometry);

// UTF-8 to the system's UTF-16 and back.
std::wstring wideText(const std::string& text);
std::string utf8Text(const std::wstring& text);
