// Maps the window's pixel-format and context steps onto EGL. Failures come
// back as the call's result, with the decoded EGL reason kept in lastError().
#include "platform/egl_binding.h"

#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

struct DeviceContext {
  EGLDisplay display = EGL_NO_DISPLAY;
  unsigned long x11Window = 0;
  TRect client;  // pbuffer size
  std::vector<EGLConfig> matches;  // best first, as eglChooseConfig sorts them
  EGLConfig chosen = nullptr;
  EGLSurface surface = EGL_NO_SURFACE;
};

struct RenderingContext {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
};

namespace {

const char* eglErrorName(EGLint error) {
  switch (error) {
    case EGL_SUCCESS: return "no error recorded";
    case EGL_NOT_INITIALIZED: return "EGL is not initialized";
    case EGL_BAD_ACCESS: return "resource is in use";
    case EGL_BAD_ALLOC: return "out of memory";
    case EGL_BAD_ATTRIBUTE: return "bad attribute";
    case EGL_BAD_CONFIG: return "bad config";
    case EGL_BAD_CONTEXT: return "bad context";
    case EGL_BAD_CURRENT_SURFACE: return "current surface is no longer valid";
    case EGL_BAD_DISPLAY: return "bad display";
    case EGL_BAD_MATCH: return "config does not match the window or context";
    case EGL_BAD_NATIVE_PIXMAP: return "bad native pixmap";
    case EGL_BAD_NATIVE_WINDOW: return "bad native window";
    case EGL_BAD_PARAMETER: return "bad parameter";
    case EGL_BAD_SURFACE: return "bad surface";
    case EGL_CONTEXT_LOST: return "context lost";
    default: return "unknown EGL error";
  }
}

std::vector<EGLint> configAttributes(const PIXELFORMATDESCRIPTOR& pfd, bool toWindow) {
  const EGLint channel = pfd.cRedBits ? pfd.cRedBits : pfd.cColorBits / 3;
  std::vector<EGLint> a = {
      EGL_COLOR_BUFFER_TYPE, EGL_RGB_BUFFER,
      EGL_RED_SIZE, pfd.cRedBits ? pfd.cRedBits : channel,
      EGL_GREEN_SIZE, pfd.cGreenBits ? pfd.cGreenBits : channel,
      EGL_BLUE_SIZE, pfd.cBlueBits ? pfd.cBlueBits : channel,
      EGL_ALPHA_SIZE, pfd.cAlphaBits,
      EGL_DEPTH_SIZE, pfd.cDepthBits,
      EGL_STENCIL_SIZE, pfd.cStencilBits,
  };
  if (pfd.dwFlags & PFD_SUPPORT_OPENGL) a.insert(a.end(), {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT});
  // A pbuffer stands in for the window when rendering headless.
  if (pfd.dwFlags & PFD_DRAW_TO_WINDOW) a.insert(a.end(), {EGL_SURFACE_TYPE, toWindow ? EGL_WINDOW_BIT : EGL_PBUFFER_BIT});
  a.push_back(EGL_NONE);
  return a;
}

}  // namespace

bool EglBinding::fail(const std::string& what) {
  lastError_ = "EGL: " + what + ": " + eglErrorName(eglGetError());
  return false;
}

HDC EglBinding::getDC(HWND window) {
  auto dc = new DeviceContext;
  if (target_ == Target::X11Window) {
    const NativeHandles native = backend_.nativeHandles(window);
    dc->x11Window = native.window;
    if (native.display) dc->display = eglGetPlatformDisplay(EGL_PLATFORM_X11_KHR, native.display, nullptr);
  } else {
    dc->client = backend_.clientRect(window);
    dc->display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  }
  if (dc->display == EGL_NO_DISPLAY || !eglInitialize(dc->display, nullptr, nullptr)) {
    fail("Failed to open a display for the window");
    delete dc;
    return nullptr;
  }
  return dc;
}

int EglBinding::choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR& request) {
  if (!dc) return fail("No device context"), 0;
  if (request.iPixelType != PFD_TYPE_RGBA) {
    lastError_ = "EGL: colour-index pixel formats do not exist";
    return 0;
  }
  const std::vector<EGLint> attributes = configAttributes(request, target_ == Target::X11Window);
  EGLint found = 0;
  if (!eglChooseConfig(dc->display, attributes.data(), nullptr, 0, &found)) return fail("eglChooseConfig failed"), 0;
  dc->matches.assign(static_cast<size_t>(found), nullptr);
  if (found == 0 || !eglChooseConfig(dc->display, attributes.data(), dc->matches.data(), found, &found)) {
    lastError_ = "EGL: no config matches the pixel-format request";
    return 0;
  }
  dc->matches.resize(static_cast<size_t>(found));
  return 1;
}

bool EglBinding::setPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR& /*request*/) {
  if (!dc || index < 1 || static_cast<size_t>(index) > dc->matches.size()) {
    lastError_ = "EGL: no such pixel format";
    return false;
  }
  if (dc->surface != EGL_NO_SURFACE) {
    lastError_ = "EGL: the window's pixel format is already set";
    return false;
  }
  EGLConfig config = dc->matches[static_cast<size_t>(index - 1)];
  if (target_ == Target::X11Window) {
    const EGLAttrib attributes[] = {EGL_RENDER_BUFFER, EGL_BACK_BUFFER, EGL_NONE};
    dc->surface = eglCreatePlatformWindowSurface(dc->display, config, &dc->x11Window, attributes);
  } else {
    const EGLint attributes[] = {EGL_WIDTH, dc->client.right, EGL_HEIGHT, dc->client.bottom, EGL_NONE};
    dc->surface = eglCreatePbufferSurface(dc->display, config, attributes);
  }
  if (dc->surface == EGL_NO_SURFACE) return fail("Failed to create the window surface");
  dc->chosen = config;
  return true;
}

HGLRC EglBinding::createContext(HDC dc) {
  if (!dc || !dc->chosen) return fail("No pixel format set"), nullptr;
  if (!eglBindAPI(EGL_OPENGL_API)) return fail("Desktop OpenGL is not available"), nullptr;
  const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                               EGL_NONE};
  EGLContext context = eglCreateContext(dc->display, dc->chosen, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT) return fail("Failed to create an OpenGL context"), nullptr;
  return new RenderingContext{dc->display, context};
}

bool EglBinding::makeCurrent(HDC dc, HGLRC context) {
  if (!context) {
    EGLDisplay display = dc ? dc->display : eglGetCurrentDisplay();
    return eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) || fail("Failed to release the context");
  }
  if (!dc) return fail("No device context");
  return eglMakeCurrent(dc->display, dc->surface, dc->surface, context->context) ||
         fail("Failed to make the context current");
}

bool EglBinding::swapBuffers(HDC dc) {
  if (!dc) return fail("No device context");
  return eglSwapBuffers(dc->display, dc->surface) || fail("Failed to swap buffers");
}

bool EglBinding::deleteContext(HGLRC context) {
  if (!context) return fail("No context");
  if (eglGetCurrentContext() == context->context)
    eglMakeCurrent(context->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  const bool destroyed = eglDestroyContext(context->display, context->context) || fail("Failed to delete the context");
  delete context;
  return destroyed;
}

bool EglBinding::releaseDC(HWND /*window*/, HDC dc) {
  if (!dc) return fail("No device context");
  if (dc->surface != EGL_NO_SURFACE) eglDestroySurface(dc->display, dc->surface);
  // An X11 display goes with the window system connection, so it is given
  // back here. The surfaceless display has no connection behind it and is
  // shared by every headless window of the process: it stays initialized,
  // sparing each window a driver load.
  if (target_ == Target::X11Window) eglTerminate(dc->display);
  delete dc;
  return true;
}
