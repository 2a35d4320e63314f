// The camera set through the GL's matrix stack, and read back from it.
#include "render/gl_camera.h"

#include <GL/gl.h>

void loadCamera(const ViewState& view) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, view.cameraZ);
  glRotatef(view.rotX, 1.0f, 0.0f, 0.0f);
  glRotatef(view.rotY, 0.0f, 1.0f, 0.0f);
  glRotatef(view.rotZ, 0.0f, 0.0f, 1.0f);
}

WindowTransform currentWindowTransform() {
  float projection[16], modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  WindowTransform t;
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[column * 4 + k];
      t.clip[column * 4 + row] = sum;
    }
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  t.x = viewport[0], t.y = viewport[1], t.width = viewport[2], t.height = viewport[3];
  return t;
}
