// The same look at every scale: a frame drawn for a 200 % screen, averaged
// down 2 x 2, is the 100 % frame of the same tick; and the dot size follows
// a window that moves to a screen of another scale.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "headless_viewport.h"

namespace {

constexpr int kWidth = 320;  // the 100 % client area
constexpr int kHeight = 240;

// Grey levels (0-255, the mean of R, G and B) of the first frame drawn.
std::vector<double> firstFrame(int width, int height, double scale) {
  HeadlessViewport headless(nullptr, width, height, scale);
  headless.window().TimerTimer(&headless.window());
  std::vector<unsigned char> rgb(3 * static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::vector<double> grey(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = (rgb[3 * i] + rgb[3 * i + 1] + rgb[3 * i + 2]) / 3.0;
  return grey;
}

// Each 2 x 2 block of a picture of twice the size, as one pixel.
std::vector<double> halved(const std::vector<double>& big, int width, int height) {
  std::vector<double> small(static_cast<size_t>(width) * height);
  const int bigWidth = 2 * width;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const size_t top = static_cast<size_t>(2 * y) * bigWidth + 2 * x;
      small[static_cast<size_t>(y) * width + x] =
          (big[top] + big[top + 1] + big[top + bigWidth] + big[top + bigWidth + 1]) / 4;
    }
  return small;
}

double mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return sum / static_cast<double>(v.size());
}

GLfloat pointSize() {
  GLfloat size = 0;
  glGetFloatv(GL_POINT_SIZE, &size);
  return size;
}

}  // namespace

// Dots five times the scale cover the same share of the picture at every
// scale; only their edges are drawn with more detail. Allowed: a mean
// brightness within 10 %, and where the galaxy is (any pixel lit in either
// picture) a mean difference of a tenth of its mean grey level.
TEST(Scale, TheDoubleFrameAveragedDownIsTheSingleFrame) {
  const std::vector<double> single = firstFrame(kWidth, kHeight, 1.0);
  const std::vector<double> reduced = halved(firstFrame(2 * kWidth, 2 * kHeight, 2.0), kWidth, kHeight);
  double difference = 0, lit = 0, litGrey = 0;
  for (size_t i = 0; i < single.size(); ++i) {
    if (single[i] == 0 && reduced[i] == 0) continue;
    difference += std::abs(single[i] - reduced[i]);
    litGrey += single[i];
    ++lit;
  }
  ASSERT_GT(lit, 0) << "nothing drawn";
  difference /= lit, litGrey /= lit;
  std::printf("mean grey 100 %%: %.2f, 200 %% averaged down: %.2f; over the %.0f lit pixels: grey %.2f, "
              "mean difference %.2f levels\n",
              mean(single), mean(reduced), lit, litGrey, difference);
  EXPECT_NEAR(mean(reduced) / mean(single), 1.0, 0.1);
  EXPECT_LT(difference, litGrey / 10);
}

TEST(Scale, TheDotSizeFollowsTheScaleOfTheScreen) {
  HeadlessViewport headless(nullptr, 300, 300, 1.5);
  EXPECT_FLOAT_EQ(pointSize(), 7.5f);
  // Dragged to a 200 % screen: the window system resizes the window there.
  headless.backend().setScale(2.0);
  headless.backend().resizeClient(headless.backend().lastWindow(), 400, 400);
  WindowEvent resize;
  ASSERT_TRUE(headless.backend().waitEvent(0, resize));
  headless.window().HandleEvent(resize);
  EXPECT_FLOAT_EQ(pointSize(), 10.0f);
}
