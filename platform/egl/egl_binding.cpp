// Maps the window's pixel-format and context steps onto EGL, on X11, on
// Wayland or headless. Failures come back as the call's result, with the
// decoded EGL reason kept in lastError().
#include "platform/egl/egl_binding.h"

#define EGL_NO_X11
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <memory>
#include <vector>

#include "platform/egl/pixel_format_match.h"

struct DeviceContext {
  HWND window = nullptr;
  NativeHandles::System system = NativeHandles::System::Unknown;
  EGLDisplay display = EGL_NO_DISPLAY;
  unsigned long x11Window = 0;
  void* waylandWindow = nullptr;
  unsigned long visualId = 0;  // the config must draw with this visual
  TRect client;  // pbuffer size
  std::vector<EGLConfig> matches;  // best first
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

// Every config that can serve the request's kind of surface; the ranking
// then picks the closest in colour and depth.
std::vector<EGLint> configAttributes(const PIXELFORMATDESCRIPTOR& pfd, bool toWindow) {
  std::vector<EGLint> a = {EGL_COLOR_BUFFER_TYPE, EGL_RGB_BUFFER, EGL_RED_SIZE, 1, EGL_GREEN_SIZE, 1, EGL_BLUE_SIZE, 1};
  if (pfd.dwFlags & PFD_SUPPORT_OPENGL) a.insert(a.end(), {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT});
  // A pbuffer stands in for the window when rendering headless.
  if (pfd.dwFlags & PFD_DRAW_TO_WINDOW) a.insert(a.end(), {EGL_SURFACE_TYPE, toWindow ? EGL_WINDOW_BIT : EGL_PBUFFER_BIT});
  a.push_back(EGL_NONE);
  return a;
}

ConfigTraits traitsOf(EGLDisplay display, EGLConfig config) {
  auto get = [&](EGLint attribute) {
    EGLint value = 0;
    eglGetConfigAttrib(display, config, attribute, &value);
    return value;
  };
  return {get(EGL_RED_SIZE),   get(EGL_GREEN_SIZE),   get(EGL_BLUE_SIZE),
          get(EGL_ALPHA_SIZE), get(EGL_DEPTH_SIZE),   get(EGL_STENCIL_SIZE),
          static_cast<unsigned long>(get(EGL_NATIVE_VISUAL_ID))};
}

}  // namespace

bool EglBinding::fail(const std::string& what) {
  lastError_ = "EGL: " + what + ": " + eglErrorName(eglGetError());
  return false;
}

// A call on a device context that could not be had keeps the reason why.
bool EglBinding::failWithoutDC() {
  if (lastError_.empty()) lastError_ = "EGL: No device context";
  return false;
}

HDC EglBinding::getDC(HWND window) {
  lastError_.clear();
  auto dc = std::make_unique<DeviceContext>();
  dc->window = window;
  if (target_ == Target::Window) {
    const NativeHandles native = backend_.nativeHandles(window);
    if (native.system == NativeHandles::System::Unknown)
      return lastError_ = "EGL: the window has no X11 or Wayland window to draw into", nullptr;
    dc->system = native.system;
    dc->x11Window = native.x11Window;
    dc->waylandWindow = native.waylandWindow;
    dc->visualId = native.visualId;
    const EGLenum platform =
        native.system == NativeHandles::System::X11 ? EGL_PLATFORM_X11_KHR : EGL_PLATFORM_WAYLAND_KHR;
    dc->display = eglGetPlatformDisplay(platform, native.display, nullptr);
  } else {
    dc->client = backend_.clientRect(window);
    dc->display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  }
  if (dc->display == EGL_NO_DISPLAY) return fail("no EGL display for the window (is an EGL driver installed?)"), nullptr;
  if (!eglInitialize(dc->display, nullptr, nullptr))
    return fail("cannot initialize EGL on the display (no usable OpenGL driver)"), nullptr;
  return dc.release();
}

std::vector<EGLConfig> EglBinding::configsFor(HDC dc, const PIXELFORMATDESCRIPTOR& request) {
  const std::vector<EGLint> attributes = configAttributes(request, target_ == Target::Window);
  EGLint found = 0;
  std::vector<EGLConfig> configs;
  if (!eglChooseConfig(dc->display, attributes.data(), nullptr, 0, &found)) return fail("eglChooseConfig failed"), configs;
  configs.resize(static_cast<size_t>(found));
  if (found > 0 && !eglChooseConfig(dc->display, attributes.data(), configs.data(), found, &found)) found = 0;
  configs.resize(static_cast<size_t>(found));
  return configs;
}

int EglBinding::choosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR& request) {
  if (!dc) return failWithoutDC(), 0;
  lastError_.clear();
  if (request.iPixelType != PFD_TYPE_RGBA) {
    lastError_ = "EGL: colour-index pixel formats do not exist";
    return 0;
  }
  const std::vector<EGLConfig> configs = configsFor(dc, request);
  std::vector<ConfigTraits> traits;
  for (EGLConfig config : configs) traits.push_back(traitsOf(dc->display, config));
  dc->matches.clear();
  for (int i : rankConfigs(traits, request, dc->visualId)) dc->matches.push_back(configs[static_cast<size_t>(i)]);
  if (!dc->matches.empty()) return 1;
  if (lastError_.empty())
    lastError_ = dc->visualId ? "EGL: no OpenGL config can draw with the window's visual (a colour depth the driver "
                                "does not support?)"
                              : "EGL: no config matches the pixel-format request";
  return 0;
}

bool EglBinding::setPixelFormat(HDC dc, int index, const PIXELFORMATDESCRIPTOR& /*request*/) {
  if (!dc) return failWithoutDC();
  if (index < 1 || static_cast<size_t>(index) > dc->matches.size()) {
    lastError_ = "EGL: no such pixel format";
    return false;
  }
  if (dc->surface != EGL_NO_SURFACE) {
    lastError_ = "EGL: the window's pixel format is already set";
    return false;
  }
  EGLConfig config = dc->matches[static_cast<size_t>(index - 1)];
  if (target_ == Target::Window) {
    // X11 takes a pointer to the window id, Wayland the wl_egl_window itself.
    void* native = dc->system == NativeHandles::System::X11 ? static_cast<void*>(&dc->x11Window) : dc->waylandWindow;
    const EGLAttrib attributes[] = {EGL_RENDER_BUFFER, EGL_BACK_BUFFER, EGL_NONE};
    dc->surface = eglCreatePlatformWindowSurface(dc->display, config, native, attributes);
  } else {
    const EGLint attributes[] = {EGL_WIDTH, dc->client.right, EGL_HEIGHT, dc->client.bottom, EGL_NONE};
    dc->surface = eglCreatePbufferSurface(dc->display, config, attributes);
  }
  if (dc->surface == EGL_NO_SURFACE) return fail("Failed to create the window surface");
  dc->chosen = config;
  return true;
}

HGLRC EglBinding::createContext(HDC dc) {
  if (!dc) return failWithoutDC(), nullptr;
  if (!dc->chosen) return fail("No pixel format set"), nullptr;
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
  if (!dc) return failWithoutDC();
  if (!eglMakeCurrent(dc->display, dc->surface, dc->surface, context->context))
    return fail("Failed to make the context current");
  // The frame timer paces the frames. On Wayland a swap would otherwise wait
  // for the compositor's frame callback, which never comes while the window
  // is hidden.
  if (dc->system == NativeHandles::System::Wayland) eglSwapInterval(dc->display, 0);
  return true;
}

bool EglBinding::swapBuffers(HDC dc) {
  if (!dc) return failWithoutDC();
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
  if (!dc) return failWithoutDC();
  if (dc->surface != EGL_NO_SURFACE) eglDestroySurface(dc->display, dc->surface);
  // A window's display goes with the window system connection, so it is
  // given back here. The surfaceless display has no connection behind it and
  // is shared by every headless window of the process: it stays initialized,
  // sparing each window a driver load.
  if (target_ == Target::Window) eglTerminate(dc->display);
  delete dc;
  return true;
}
