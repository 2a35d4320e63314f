// The choice of drawing path, made once when a context is set up.
#include "render/draw_path.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

bool isSoftwareRenderer(const char* renderer) {
  if (!renderer) return false;
  for (const char* name : {"llvmpipe", "softpipe", "SwiftShader", "GDI Generic"})
    if (std::strstr(renderer, name)) return true;
  return false;
}

bool splattingSuitsCurrentContext() {
  if (const char* forced = std::getenv("GALAXY_TEST_DRAW_PATH")) {
    if (std::strcmp(forced, "splat") == 0) return true;
    if (std::strcmp(forced, "fixed") == 0) return false;
  }
  return isSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}
