// The window backend on Windows itself: one window of our own class, its
// messages turned into events by the window procedure, a wait that sleeps
// until a message or the next tick, the performance counter as the clock.
#pragma once
#include <deque>
#include <utility>

#include "platform/win32/win32_window_state.h"

class Win32WindowBackend final : public WindowBackend {
 public:
  ~Win32WindowBackend() override;
  void initialize() override;
  HWND createWindow(const WindowGeometry& geometry) override;
  void destroyWindow(HWND window) override;
  void showWindow(HWND window) override;
  void setCaption(HWND window, const std::string& caption) override;
  void setIcon(HWND window, const IconImage& icon) override;
  TRect clientRect(HWND window) override;
  bool isShowing(HWND window) override;
  NativeHandles nativeHandles(HWND) override { return {}; }
  // The DPI of the window's monitor over 96.
  double scale(HWND window) override { return GetDpiForWindow(window) / double{USER_DEFAULT_SCREEN_DPI}; }
  bool waitEvent(int64_t timeoutUs, WindowEvent& event) override;
  int64_t nowUs() override;
  bool showMessageBox(const std::string& text, const std::string& caption) override;
  void setDueWork(DueWork work) override { sink_.dueWork = std::move(work); }

 private:
  void dispatchMessages();
  void sleepUntilMessage(int64_t timeoutUs);

  Win32EventSink sink_;         // filled by the window procedure
  HANDLE wakeTimer_ = nullptr;  // ends a wait at the next tick
  bool finerTimerPeriod_ = false;  // timeBeginPeriod(1) asked for, to be ended
  bool initialized_ = false;
};
