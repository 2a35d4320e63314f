// In the browser the program always runs on the page's canvas and WebGL.
#include "platform/platform.h"
#include "platform/web/web_window.h"
#include "platform/web/webgl_binding.h"

void useDefaultPlatform() {
  static WebWindowBackend backend;
  static WebGlBinding binding;
  usePlatform(backend, binding);
}
