// The GL binding on EGL: a window surface on the window's native X11 or
// Wayland window, or a pbuffer on Mesa's surfaceless platform for headless
// rendering.
#pragma once
#include <string>
#include <vector>

#include "platform/gl_binding.h"

class EglBinding final : public GlBinding {
 public:
  enum class Target { Window, Pbuffer };

  // The backend gives the native handles (window) or the client size (pbuffer).
  EglBinding(Target target, WindowBackend& backend) : target_(target), backend_(backend) {}

  HDC getDC(HWND window) override;
  int choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR& request) override;
  bool setPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR& request) override;
  HGLRC createContext(HDC dc) override;
  bool makeCurrent(HDC dc, HGLRC context) override;
  bool swapBuffers(HDC dc) override;
  bool deleteContext(HGLRC context) override;
  bool releaseDC(HWND window, HDC dc) override;
  std::string lastError() const override { return lastError_; }

 private:
  bool fail(const std::string& what);
  bool failWithoutDC();
  std::vector<void*> configsFor(HDC dc, const PIXELFORMATDESCRIPTOR& request);

  Target target_;
  WindowBackend& backend_;
  std::string lastError_;
};
