// The Win32 backend: the window class and its one window, the wait for a
// message or the next tick, the clock and the message box.
#include "platform/win32/win32_window.h"

#include <windows.h>
#include <timeapi.h>  // after windows.h, which it needs

#include "platform/forms/form_types.h"
#include "platform/win32/win32_window_state.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;

HINSTANCE thisProgram() { return GetModuleHandleW(nullptr); }

void registerWindowClass() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  // One device context for the window's life, as OpenGL wants it.
  windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = viewerWindowProc;
  windowClass.hInstance = thisProgram();
  windowClass.hIcon = LoadIconW(thisProgram(), L"MAINICON");
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kWindowClassName;
  if (!RegisterClassExW(&windowClass)) throw Exception("Cannot register the window class");
}

}  // namespace

std::wstring wideText(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string utf8Text(const std::wstring& text) {
  const int wideLength = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

Win32WindowBackend::~Win32WindowBackend() {
  if (wakeTimer_) CloseHandle(wakeTimer_);
  if (finerTimerPeriod_) timeEndPeriod(1);
}

void Win32WindowBackend::initialize() {
  if (initialized_) return;
  registerWindowClass();
  // A high-resolution timer ends a wait within a fraction of a millisecond;
  // the default one only at the system's 15.6 ms timer period.
  wakeTimer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
  if (!wakeTimer_) {
    // Before Windows 10 version 1803 there is no such timer: a 1 ms system
    // timer period keeps the ordinary one off the 15.6 ms steps.
    wakeTimer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    finerTimerPeriod_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  }
  if (!wakeTimer_) throw Exception("Cannot create the frame timer");
  initialized_ = true;
}

HWND Win32WindowBackend::createWindow(const WindowGeometry& geometry) {
  auto* state = new Win32WindowState{&sink_};
  HWND window = CreateWindowExW(0, kWindowClassName, wideText(geometry.caption).c_str(), kStyle, geometry.left,
                                geometry.top, geometry.width, geometry.height, nullptr, nullptr, thisProgram(), state);
  if (!window) {
    delete state;
    throw Exception("Cannot create the window");
  }
  placeForDpi(window, geometry);
  // A later WGL call that fails without a reason of its own must not report
  // whatever creating the window left behind.
  SetLastError(ERROR_SUCCESS);
  return window;
}

void Win32WindowBackend::destroyWindow(HWND window) {
  if (!window) return;
  Win32WindowState* state = windowState(window);
  DestroyWindow(window);
  delete state;
  // Nothing queued for a window that is gone may reach the form library.
  std::erase_if(sink_.events, [window](const WindowEvent& e) { return e.window == window; });
}

void Win32WindowBackend::showWindow(HWND window) {
  ShowWindow(window, SW_SHOWDEFAULT);  // minimised or maximised if the shortcut says so
  UpdateWindow(window);
}

void Win32WindowBackend::setCaption(HWND window, const std::string& caption) {
  SetWindowTextW(window, wideText(caption).c_str());
}

// The program's MAINICON resource holds the same picture in every size
// Windows asks for; the window takes the two it shows at its DPI.
void Win32WindowBackend::setIcon(HWND window, const IconImage&) {
  const UINT dpi = GetDpiForWindow(window);
  auto icon = [dpi](int metric) {
    const int size = GetSystemMetricsForDpi(metric, dpi);
    return reinterpret_cast<LPARAM>(LoadImageW(thisProgram(), L"MAINICON", IMAGE_ICON, size, size, LR_SHARED));
  };
  SendMessageW(window, WM_SETICON, ICON_BIG, icon(SM_CXICON));
  SendMessageW(window, WM_SETICON, ICON_SMALL, icon(SM_CXSMICON));
}

TRect Win32WindowBackend::clientRect(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.left, client.top, client.right, client.bottom};
}

bool Win32WindowBackend::isShowing(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

// Inside one of Windows' own loops that loop reads the messages; this only
// hands out what the window procedure has queued, and never sleeps.
bool Win32WindowBackend::waitEvent(int64_t timeoutUs, WindowEvent& event) {
  std::deque<WindowEvent>& events = sink_.events;
  if (sink_.windowsLoops == 0) {
    dispatchMessages();
    if (events.empty() && timeoutUs != 0) {
      sleepUntilMessage(timeoutUs);
      dispatchMessages();
    }
  }
  if (events.empty()) return false;
  event = events.front();
  events.pop_front();
  return true;
}

// Moving, sizing and the window menu start their loops from in here, and
// run the due work from the window procedure until they end.
void Win32WindowBackend::dispatchMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Sleeps until a message arrives or the timeout has passed; no CPU meanwhile.
void Win32WindowBackend::sleepUntilMessage(int64_t timeoutUs) {
  if (timeoutUs < 0) {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return;
  }
  LARGE_INTEGER due;
  due.QuadPart = -timeoutUs * 10;  // relative, in units of 100 ns
  SetWaitableTimer(wakeTimer_, &due, 0, nullptr, nullptr, FALSE);
  MsgWaitForMultipleObjectsEx(1, &wakeTimer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

int64_t Win32WindowBackend::nowUs() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  // Whole seconds and the rest apart, so the product never overflows.
  const int64_t seconds = counter.QuadPart / frequency;
  return seconds * 1'000'000 + (counter.QuadPart % frequency) * 1'000'000 / frequency;
}

bool Win32WindowBackend::showMessageBox(const std::string& text, const std::string& caption) {
  return MessageBoxW(nullptr, wideText(text).c_str(), wideText(caption).c_str(), MB_OK) != 0;
}
