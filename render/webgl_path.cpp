// The WebGL path: the points in one vertex buffer, written only when the
// galaxy's points change, turned and projected by the vertex shader with the
// camera's matrices. A lost context's objects are rebuilt at the first frame
// after it comes back, and the points uploaded again.
#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/camera.h"
#include "render/draw_frame.h"
#include "render/render_path.h"
#include "render/webgl_program.h"

namespace {

struct WebGlPath {
  WebGlProgram program;
  GLuint buffer = 0;
  int32_t uploaded = -1;  // points in the buffer; -1: to be written
  float dotSize = kDotSize;
  int32_t width = 0, height = 0;
};

WebGlPath g_path;

// Width over height; a canvas of no height counts as one pixel high.
double aspectOf(int32_t width, int32_t height) {
  return static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1);
}

// The program, the buffer and the fixed state, on a new or restored context:
// objects of a lost context are no longer programs or buffers to it.
void buildObjects() {
  std::string error;
  if (!buildWebGlProgram(g_path.program, error)) {
    std::fprintf(stderr, "galaxy: WebGL: %s\n", error.c_str());
    std::abort();  // the page shows the reason in place of the canvas
  }
  glGenBuffers(1, &g_path.buffer);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glUseProgram(g_path.program.program);
  glUniform1f(g_path.program.dotSize, g_path.dotSize);
  glUniformMatrix4fv(g_path.program.projection, 1, GL_FALSE, cameraProjection(aspectOf(g_path.width, g_path.height)).data());
  glBindBuffer(GL_ARRAY_BUFFER, g_path.buffer);
  glEnableVertexAttribArray(static_cast<GLuint>(g_path.program.position));
  glVertexAttribPointer(static_cast<GLuint>(g_path.program.position), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
  glViewport(0, 0, g_path.width, g_path.height);
  g_path.uploaded = -1;
}

// The first `points` points as (x, y, thickness) floats, as the
// fixed-function path hands them to GL.
void upload(const GalaxyCloud& galaxy, int32_t points) {
  std::vector<float> vertices(static_cast<size_t>(points) * 3);
  for (size_t i = 0; i < static_cast<size_t>(points); ++i) {
    vertices[i * 3] = static_cast<float>(galaxy.points[i * 3 + 2]);
    vertices[i * 3 + 1] = static_cast<float>(galaxy.points[i * 3 + 1]);
    vertices[i * 3 + 2] = static_cast<float>(galaxy.points[i * 3]);
  }
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
               GL_STATIC_DRAW);
  g_path.uploaded = points;
}

}  // namespace

void setupRenderPath(int32_t width, int32_t height, float dotSize) {
  g_path.dotSize = dotSize;
  g_path.width = width;
  g_path.height = height;
  buildObjects();
}

void setRenderViewport(int32_t width, int32_t height) {
  g_path.width = width;
  g_path.height = height;
  if (!glIsProgram(g_path.program.program)) return;  // lost: set again when rebuilt
  glViewport(0, 0, width, height);
  glUniformMatrix4fv(g_path.program.projection, 1, GL_FALSE, cameraProjection(aspectOf(width, height)).data());
}

void setRenderDotSize(float dotSize) {
  g_path.dotSize = dotSize;
  if (glIsProgram(g_path.program.program)) glUniform1f(g_path.program.dotSize, dotSize);
}

void pointsChanged() { g_path.uploaded = -1; }

// The page's context goes with the page; nothing is held beside it.
void releaseRenderPath() {}

// Expects the context not to be lost (the window shows only while it is not).
void drawScene(const ViewState& view, const GalaxyCloud& galaxy) {
  if (!glIsProgram(g_path.program.program)) buildObjects();
  // The same bound as the fixed-function path: ceil(count / 3) points.
  const int32_t shown = (galaxy.count + 2) / 3;
  // Hidden with F3 the count is 0; shown again it may need more than was sent.
  if (g_path.uploaded < 0 || shown > g_path.uploaded) upload(galaxy, shown);
  glClear(GL_COLOR_BUFFER_BIT);
  glUniformMatrix4fv(g_path.program.modelview, 1, GL_FALSE, cameraModelview(view).data());
  if (shown > 0) glDrawArrays(GL_POINTS, 0, shown);
}
