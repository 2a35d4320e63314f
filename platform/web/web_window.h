// The browser's window backend: the page's one canvas, which fills the page
// at device resolution; keys from the document, the wheel over the canvas,
// the page's visibility and the WebGL context's loss. Waiting hands control
// back to the browser (Asyncify) until an event comes or the time is up.
#pragma once
#include <deque>
#include <string>

#include "platform/window_backend.h"

class WebWindowBackend : public WindowBackend {
 public:
  void initialize() override;
  HWND createWindow(const WindowGeometry& geometry) override;
  void destroyWindow(HWND window) override;
  void showWindow(HWND window) override;
  // document.title and the page's status line.
  void setCaption(HWND window, const std::string& caption) override;
  // The page carries the icon in its own files.
  void setIcon(HWND, const IconImage&) override {}
  TRect clientRect(HWND window) override;
  // Not while the page is hidden or the WebGL context is lost.
  bool isShowing(HWND window) override;
  // The canvas follows the page; it has no size of its own to limit.
  double scale(HWND window) override;
  NativeHandles nativeHandles(HWND) override { return {}; }
  // While the page is hidden it waits, whatever the timeout, until the page
  // shows again: nothing ticks or draws for a page nobody sees.
  bool waitEvent(int64_t timeoutUs, WindowEvent& event) override;
  int64_t nowUs() override;
  // The text in place of the canvas: the page has no modal boxes.
  bool showMessageBox(const std::string& text, const std::string& caption) override;

  // From the browser's event callbacks.
  void post(const WindowEvent& event);
  void followPageSize();

 private:
  std::deque<WindowEvent> events_;
  HWND window_ = nullptr;
  int32_t width_ = 0, height_ = 0;  // the canvas, in device pixels
  double scale_ = 0.0;               // devicePixelRatio it was sized at
};
