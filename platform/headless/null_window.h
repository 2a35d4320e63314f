// A headless window backend: windows without a screen, a clock that moves only
// when waited on, events posted by the caller, message boxes recorded instead
// of shown. Tests and the snapshot tool render through it.
#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_backend.h"

class NullWindowBackend : public WindowBackend {
 public:
  struct MessageBox {
    std::string text;
    std::string caption;
  };

  void initialize() override {}
  HWND createWindow(const WindowGeometry& geometry) override;
  void destroyWindow(HWND window) override;
  void showWindow(HWND window) override;
  void setCaption(HWND window, const std::string& caption) override;
  void setIcon(HWND window, const IconImage& icon) override;
  TRect clientRect(HWND window) override;
  bool isShowing(HWND window) override;
  NativeHandles nativeHandles(HWND) override { return {}; }
  double scale(HWND) override { return scale_; }
  // Delivers the earliest posted event due within the timeout, moving the
  // clock to it; otherwise moves the clock by the timeout. With no limit and
  // nothing posted it reports a close request: a headless session never hangs.
  bool waitEvent(int64_t timeoutUs, WindowEvent& event) override;
  int64_t nowUs() override { return now_; }
  bool showMessageBox(const std::string& text, const std::string& caption) override;

  // Control from the test.
  // Times in microseconds on the scripted clock.
  void post(const WindowEvent& event, int64_t atUs);
  void post(const WindowEvent& event) { post(event, now_); }
  void advance(int64_t us) { now_ += us; }
  // New client size for the window; posts the resize event.
  void resizeClient(HWND window, int32_t width, int32_t height);
  void setClientSize(int32_t width, int32_t height) { clientWidth_ = width, clientHeight_ = height; }
  // The scale every window reports from now on.
  void setScale(double scale) { scale_ = scale; }

  const std::vector<MessageBox>& messageBoxes() const { return boxes_; }
  // Minimises or restores the window, as its user would.
  void setMinimized(HWND window, bool minimized);
  std::string caption(HWND window) const;
  // Every caption handed to a window, in order, kept after the window is gone.
  const std::vector<std::string>& captionsSet() const { return captionsSet_; }
  bool visible(HWND window) const;
  TPoint maximumClientSize(HWND window) const;
  HWND lastWindow() const { return last_; }
  int liveWindows() const { return live_; }

 private:
  int64_t now_ = 0;
  int32_t clientWidth_ = 800;  // client size of the next window created
  int32_t clientHeight_ = 600;
  double scale_ = 1.0;
  std::deque<std::pair<int64_t, WindowEvent>> events_;  // ordered by time
  std::vector<MessageBox> boxes_;
  std::vector<std::string> captionsSet_;
  HWND last_ = nullptr;
  int live_ = 0;
};
