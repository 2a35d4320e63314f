// The window's GL set-up on the page's canvas: the pixel format step creates
// the WebGL context, so a browser without WebGL fails where a desktop
// without a fitting format does, with the browser's reason.
#pragma once
#include <string>

#include "platform/gl_binding.h"

class WebGlBinding : public GlBinding {
 public:
  HDC getDC(HWND window) override;
  int choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR& request) override;
  bool setPixelFormat(HDC, int index, const PIXELFORMATDESCRIPTOR&) override { return index == 1; }
  HGLRC createContext(HDC dc) override;
  bool makeCurrent(HDC dc, HGLRC context) override;
  // The browser shows the frame when the page hands control back.
  bool swapBuffers(HDC) override { return true; }
  bool deleteContext(HGLRC context) override;
  bool releaseDC(HWND, HDC) override { return true; }
  std::string lastError() const override { return error_; }

 private:
  int context_ = 0;  // EMSCRIPTEN_WEBGL_CONTEXT_HANDLE
  std::string error_;
};
