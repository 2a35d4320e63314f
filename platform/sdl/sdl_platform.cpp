// On the desktop the program runs on SDL2 and EGL.
#include "platform/egl/egl_binding.h"
#include "platform/platform.h"
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

}  // namespace

void useDesktopPlatform() { usePlatform(desktop().backend, desktop().binding); }

void useDefaultPlatform() { useDesktopPlatform(); }
