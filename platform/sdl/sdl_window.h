// The window backend on SDL2, on X11 or Wayland: one native window, its
// events translated into ours, the message box.
#pragma once
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
  void setMaximumClientSize(HWND window, int32_t width, int32_t height) override;
  NativeHandles nativeHandles(HWND window) override;
  bool waitEvent(int64_t timeoutUs, WindowEvent& event) override;
  int64_t nowUs() override;
  bool showMessageBox(const std::string& text, const std::string& caption) override;

 private:
  bool initialized_ = false;
  int waylandFd_ = -1;  // the compositor connection, once a window has a surface
};
