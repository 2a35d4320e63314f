// What the window leaves in the GL state, and what one frame draws, on a real
// (software) context.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <algorithm>
#include <cmath>
#include <vector>

#include "headless_viewport.h"
#include "render/draw_frame.h"

namespace {

std::array<double, 16> matrix(GLenum which) {
  std::array<double, 16> m{};
  glGetDoublev(which, m.data());
  return m;
}

// gluPerspective(45, aspect, 1, 100) written out, column-major.
std::array<double, 16> expectedPerspective(double aspect) {
  const double f = 1.0 / std::tan(45.0 * kPi / 360.0);
  std::array<double, 16> m{};
  m[0] = f / aspect;
  m[5] = f;
  m[10] = (100.0 + 1.0) / (1.0 - 100.0);
  m[11] = -1.0;
  m[14] = 2.0 * 100.0 * 1.0 / (1.0 - 100.0);
  return m;
}

void expectProjection(double aspect) {
  const auto actual = matrix(GL_PROJECTION_MATRIX);
  const auto expected = expectedPerspective(aspect);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "projection element " << i;
}

std::array<GLint, 4> viewport() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

GLint integer(GLenum which) {
  GLint v = 0;
  glGetIntegerv(which, &v);
  return v;
}

struct EmittedPoint {
  float x, y, z;
};

// Every point one frame emits, in window coordinates, through feedback mode.
std::vector<EmittedPoint> emittedPoints(TViewPort& w) {
  std::vector<GLfloat> buffer(4 * 400000);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  int presented = 0;
  drawFrame(w.view, w.galaxy, [&] { ++presented; });
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_EQ(presented, 1);
  std::vector<EmittedPoint> points;
  for (GLint i = 0; i < used; i += 4) {
    EXPECT_EQ(buffer[i], GL_POINT_TOKEN);
    points.push_back({buffer[i + 1], buffer[i + 2], buffer[i + 3]});
  }
  return points;
}

}  // namespace

TEST(RenderState, SetUpLeavesTheFixedStateAndInitialView) {
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  ASSERT_TRUE(w.renderingReady) << "the pbuffer context should have been set up";
  EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
  std::array<GLfloat, 4> clear{}, colour{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
  EXPECT_EQ(clear, (std::array<GLfloat, 4>{0, 0, 0, 0}));
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_NEAR(colour[0], 0.9f, 1e-6);
  EXPECT_NEAR(colour[1], 0.9f, 1e-6);
  EXPECT_NEAR(colour[2], 0.7f, 1e-6);
  EXPECT_NEAR(colour[3], 0.1f, 1e-6);
  EXPECT_TRUE(glIsEnabled(GL_POINT_SMOOTH));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  for (GLenum off : {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_CULL_FACE})
    EXPECT_FALSE(glIsEnabled(off)) << "capability 0x" << std::hex << off;
  EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
  EXPECT_EQ(integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
  GLfloat pointSize = 0;
  glGetFloatv(GL_POINT_SIZE, &pointSize);
  EXPECT_EQ(pointSize, 5.0f);
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600})) << "the viewport the context got first";
  expectProjection(800.0 / 600.0);

  EXPECT_EQ(w.view.cameraZ, -10.0f);
  EXPECT_EQ(w.view.rotXVel, 0.01f);
  EXPECT_EQ(w.view.rotYVel, 0.01f);
  EXPECT_EQ(w.view.rotZVel, 0.1f);
  EXPECT_EQ(w.view.zoomVel, 0.0f);
  EXPECT_EQ(w.view.rotZ, 0.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RenderState, ResizesRebuildViewportAndProjectionFromScratch) {
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  w.setupProjection(600, 800);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 600, 800}));
  expectProjection(0.75);
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);

  // Through the resize event: three in a row leave only the last.
  for (auto [width, height] : {std::pair{300, 200}, std::pair{1024, 256}, std::pair{640, 480}}) {
    headless.backend().setClientSize(width, height);
    headless.backend().resizeClient(w.GetHandle(), width, height);
    w.FormResize(&w);
  }
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 640, 480}));
  expectProjection(640.0 / 480.0);

  w.setupProjection(500, 0);  // a window sized to nothing
  expectProjection(500.0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RenderState, TheWindowIsLimitedWhereItIsMadeAndThePictureKeepsItsShape) {
  {
    // No GL binding of any worth: the limit comes with the window itself.
    ScriptedGlBinding scripted;
    HeadlessViewport bare(&scripted);
    const TPoint maximum = bare.backend().maximumClientSize(bare.window().GetHandle());
    EXPECT_EQ(maximum.x, 8192);
    EXPECT_EQ(maximum.y, 8192);
  }
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  std::array<GLint, 2> largest{};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, largest.data());

  // Larger than the driver's viewport all the same: the aspect follows the
  // viewport really used, so the picture is not distorted.
  w.setupProjection(largest[0] * 2, 1000);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, largest[0], 1000}));
  expectProjection(largest[0] / 1000.0);
}

TEST(DrawFrame, EmitsTheInnerPointsInOrderThenAdvancesTheCamera) {
  ForcedDrawPath driverPoints("fixed");
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  ASSERT_EQ(w.galaxy.count, 20200);
  w.view.rotZ = 33.0f;  // a turned view, so positions test the rotation order
  w.view.rotX = 12.0f;
  const ViewState before = w.view;
  const std::vector<EmittedPoint> points = emittedPoints(w);
  ASSERT_EQ(points.size(), 6734u) << "ceil(20200 / 3) points";

  const auto modelview = matrix(GL_MODELVIEW_MATRIX);
  const auto projection = matrix(GL_PROJECTION_MATRIX);
  const auto vp = viewport();
  for (size_t i = 0; i < points.size(); i += 97) {
    const double* p = &w.galaxy.points[3 * i];
    double x, y, z;
    gluProject(static_cast<float>(p[2]), static_cast<float>(p[1]), static_cast<float>(p[0]), modelview.data(),
               projection.data(), vp.data(), &x, &y, &z);
    EXPECT_NEAR(points[i].x, x, 1e-2) << "point " << i;
    EXPECT_NEAR(points[i].y, y, 1e-2) << "point " << i;
  }
  EXPECT_EQ(w.view.rotX, before.rotX + before.rotXVel);
  EXPECT_EQ(w.view.rotY, before.rotY + before.rotYVel);
  EXPECT_EQ(w.view.rotZ, before.rotZ + before.rotZVel);
  EXPECT_EQ(w.view.cameraZ, before.cameraZ + before.zoomVel);
}

TEST(DrawFrame, SmallAndZeroCountsStillClearSwapAndAdvance) {
  ForcedDrawPath driverPoints("fixed");
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  for (auto [count, expected] : {std::pair{0, 0u}, std::pair{1, 1u}, std::pair{2, 1u}, std::pair{4, 2u}}) {
    w.galaxy.count = count;
    const float rotZ = w.view.rotZ;
    EXPECT_EQ(emittedPoints(w).size(), expected) << "count " << count;
    EXPECT_EQ(w.view.rotZ, rotZ + w.view.rotZVel) << "the camera advances even with nothing drawn";
  }
}

TEST(DrawFrame, TheDefaultGalaxyGlowsAtTheCentre) {
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  w.TimerTimer(&w);
  std::vector<unsigned char> rgba(800 * 600 * 4);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  double sum = 0, sumX = 0, sumY = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const double v = rgba[4 * (y * 800 + x)];
      sum += v, sumX += v * x, sumY += v * y;
    }
  ASSERT_GT(sum, 0) << "nothing was drawn";
  EXPECT_NEAR(sumX / sum, 400, 20) << "the glow is centred horizontally";
  EXPECT_NEAR(sumY / sum, 300, 20) << "the glow is centred vertically";
  EXPECT_GT(rgba[4 * (300 * 800 + 400)], 100) << "the centre is bright";
  EXPECT_EQ(rgba[0], 0) << "the corner stays black";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
