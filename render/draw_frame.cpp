// Immediate-mode points, one vertex call per point: nothing is allocated or
// cached between frames.
#include "render/draw_frame.h"

#include <GL/gl.h>

#include "render/camera.h"

void drawScene(const ViewState& view, const GalaxyCloud& galaxy) {
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
