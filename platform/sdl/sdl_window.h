// The window backend on SDL2, on X11 or Wayland: one native window, its
// events translated into ours, the message box; a watchdog beside it for
// signals and the display connection.
#pragma once
#include <optional>

#include "platform/linux/display_loss.h"
#include "platform/linux/watchdog.h"
#include "platform/window_backend.h"

class SdlWindowBackend final : public WindowBackend {
 public:
  ~SdlWindowBackend() override;
  void initialize() override;
  HWND createWindow(const WindowGeometry& geometry) override;
  void destroyWindow(HWND window) override;
  void showWindow(HWND window) override;
  void setCaption(HWND window, const std::string& caption) override;
  void setIcon(HWND window, const IconImage& icon) override;
  TRect clientRect(HWND window) override;
  bool isShowing(HWND window) override;
  NativeHandles nativeHandles(HWND window) override;
  double scale(HWND window) override;
  // A close request (a signal, the window manager, the title bar's button)
  // comes before any other waiting event: what those would change does not
  // outlive the program.
  bool waitEvent(int64_t timeoutUs, WindowEvent& event) override;
  int64_t nowUs() override;
  bool showMessageBox(const std::string& text, const std::string& caption) override;
  void endIfDisplayLost() override;

 private:
  void openDisplay();
  void handOverWaylandConnection(const std::optional<DisplayAddress>& compositor);
  void settleHandOver(bool onWayland);
  void noteQueuedCloses();
  void watchConnectionOf(HWND window);
  bool takeEvent(WindowEvent& event);
  void waitForTraffic(int64_t timeoutUs);
  [[noreturn]] void endOnLostDisplay();

  bool initialized_ = false;
  bool closeQueued_ = false;  // SDL has queued a close behind other events
  Watchdog watchdog_;
  std::optional<DisplayAddress> server_;  // where SDL found its display server
  // Any crash while the display is gone is that loss, from SDL's start-up on.
  std::optional<DisplayCrashGuard> crashGuard_;
  // The display connection: on Wayland from before SDL's start-up (the
  // program makes it and hands it to SDL), on X11 once a window has one.
  int connectionFd_ = -1;
  DisplayProtocol protocol_ = DisplayProtocol::X11;
  void* waylandDisplay_ = nullptr;
};
