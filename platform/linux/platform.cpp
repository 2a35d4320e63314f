// The backend and binding in use, and the platform calls routed to them.
#include "platform/platform.h"

#include "platform/wgl.h"

#include "platform/egl/egl_binding.h"
#include "platform/sdl/sdl_window.h"

namespace {

struct DesktopPlatform {
  SdlWindowBackend backend;
  EglBinding binding{EglBinding::Target::Window, backend};
};

DesktopPlatform& desktop() {
  static DesktopPlatform platform;
  return platform;
}

WindowBackend* g_backend = nullptr;
GlBinding* g_binding = nullptr;

}  // namespace

WindowBackend& windowBackend() {
  if (!g_backend) useDesktopPlatform();
  return *g_backend;
}

GlBinding& glBinding() {
  if (!g_binding) useDesktopPlatform();
  return *g_binding;
}

void usePlatform(WindowBackend& backend, GlBinding& binding) {
  g_backend = &backend;
  g_binding = &binding;
}

void useDesktopPlatform() { usePlatform(desktop().backend, desktop().binding); }

HDC GetDC(HWND window) { return glBinding().getDC(window); }
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* request) {
  return glBinding().choosePixelFormat(dc, *request);
}
int SetPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR* request) {
  return glBinding().setPixelFormat(dc, index, *request) ? 1 : 0;
}
HGLRC wglCreateContext(HDC dc) { return glBinding().createContext(dc); }
int wglMakeCurrent(HDC dc, HGLRC context) { return glBinding().makeCurrent(dc, context) ? 1 : 0; }
int SwapBuffers(HDC dc) { return glBinding().swapBuffers(dc) ? 1 : 0; }
int wglDeleteContext(HGLRC context) { return glBinding().deleteContext(context) ? 1 : 0; }
int ReleaseDC(HWND window, HDC dc) { return glBinding().releaseDC(window, dc) ? 1 : 0; }
std::string lastWglError() { return glBinding().lastError(); }

int MessageBoxA(HWND /*owner*/, const char* text, const char* caption, unsigned /*type*/) {
  return windowBackend().showMessageBox(text, caption) ? 1 /*IDOK*/ : 0;
}
