// The desktop's drawing path: the fixed-function render state, and the frame
// drawn either by the driver's immediate-mode points (one vertex call per
// point, nothing allocated or cached between frames) or, on software
// renderers, by the splatting path.
#include "render/draw_frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <memory>

#include "render/draw_path.h"
#include "render/gl_camera.h"
#include "render/render_path.h"
#include "render/splat_path.h"

namespace {

// One window, one context: the path is made with the context's render state.
std::unique_ptr<SplatPath> g_splatPath;

// Width over height in floating point; a window sized to nothing has no
// height, and 1 stands in for it.
double aspectOf(int32_t width, int32_t height) {
  return static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
}

}  // namespace

void setupRenderPath(int32_t width, int32_t height, float dotSize) {
  glShadeModel(GL_SMOOTH);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_BLEND);
  // The only colour ever set: overlapping faint points add up to a glow.
  glColor4f(0.9f, 0.9f, 0.7f, 0.1f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glMatrixMode(GL_PROJECTION);
  // A new context's projection is the identity, so no glLoadIdentity here.
  gluPerspective(45.0, aspectOf(width, height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glPointSize(dotSize);
  // Measured at the point size just set; buffers for the viewport as it is.
  g_splatPath = splattingSuitsCurrentContext() ? std::make_unique<SplatPath>() : nullptr;
}

void setRenderViewport(int32_t width, int32_t height) {
  // The driver caps the viewport; the aspect must be that of the viewport
  // it really uses. The window is kept within that cap, so this bites only
  // where a window manager ignored the window's maximum size.
  GLint largest[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest);
  if (largest[0] > 0 && largest[1] > 0) width = std::min(width, largest[0]), height = std::min(height, largest[1]);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, aspectOf(width, height), 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);  // drawFrame reloads the modelview matrix itself
  if (g_splatPath) g_splatPath->resizeToViewport();
}

void releaseRenderPath() { g_splatPath.reset(); }

// Immediate mode reads the points afresh at every frame.
void pointsChanged() {}

void setRenderDotSize(float dotSize) {
  GLfloat current = 0.0f;
  glGetFloatv(GL_POINT_SIZE, &current);
  if (current == dotSize) return;
  glPointSize(dotSize);
  // The driver's point is measured afresh at its new size.
  if (g_splatPath) g_splatPath = std::make_unique<SplatPath>();
}

SplatPath* activeSplatPath() { return g_splatPath.get(); }

void drawScene(const ViewState& view, const GalaxyCloud& galaxy) {
  if (g_splatPath) return g_splatPath->drawScene(view, galaxy);
  drawDriverPoints(view, galaxy);
}

void drawDriverPoints(const ViewState& view, const GalaxyCloud& galaxy) {
  // Depth testing is never on; the depth clear is kept for the buffer's sake.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  loadCamera(view);
  glBegin(GL_POINTS);
  const double* p = galaxy.points;
  // Stored triples are (thickness, y, x); the vertex is (x, y, thickness).
  for (int k = 0; k < galaxy.count; k += 3)
    glVertex3f(static_cast<float>(p[k + 2]), static_cast<float>(p[k + 1]), static_cast<float>(p[k]));
  glEnd();
}
