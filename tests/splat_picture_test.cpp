// The splatting path against the driver drawing the same frame itself, and
// the choice between the two paths.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "galaxy/presets.h"
#include "headless_viewport.h"
#include "platform/forms/virtual_keys.h"
#include "render/draw_frame.h"
#include "render/draw_path.h"
#include "render/splat_path.h"

namespace {

// How far the splatting path may be from the driver. The driver places a
// point to 1/256 pixel, the measured point comes in 128 x 128 phases: where
// the edge of a point's disc passes within that step of a pixel's centre the
// two disagree on whether the pixel is lit at all (by 23/255 at the window's
// colour), about 0.5 % of lit pixels; everything else is the driver's own
// 8-bit steps and matches.
constexpr double kMeanLimit = 1.0;        // mean of the largest channel difference over lit pixels, /255
constexpr int kFarOff = 16;               // a difference above this counts as off
constexpr double kFarOffShareLimit = 0.01;  // of lit pixels

std::vector<uint8_t> readFrame(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

struct Difference {
  int lit = 0, farOff = 0;
  double mean = 0.0;
};

Difference compare(const std::vector<uint8_t>& driver, const std::vector<uint8_t>& splat) {
  Difference d;
  long total = 0;
  for (size_t p = 0; p < driver.size(); p += 4) {
    int largest = 0, brightest = 0;
    for (size_t c = p; c < p + 3; ++c) {
      largest = std::max(largest, std::abs(driver[c] - splat[c]));
      brightest = std::max({brightest, static_cast<int>(driver[c]), static_cast<int>(splat[c])});
    }
    if (brightest == 0) continue;
    ++d.lit, total += largest;
    if (largest > kFarOff) ++d.farOff;
  }
  d.mean = d.lit ? static_cast<double>(total) / d.lit : 0.0;
  return d;
}

// The frame each path draws from the window's current view and galaxy.
void expectSamePicture(TViewPort& w, int width, int height, const char* what) {
  ASSERT_NE(activeSplatPath(), nullptr);
  drawDriverPoints(w.view, w.galaxy);
  const std::vector<uint8_t> driver = readFrame(width, height);
  activeSplatPath()->drawScene(w.view, w.galaxy);
  const std::vector<uint8_t> splat = readFrame(width, height);
  const Difference d = compare(driver, splat);
  std::printf("%s %dx%d rotZ %.1f: %d lit, mean %.2f/255, %d over %d/255\n", what, width, height,
              static_cast<double>(w.view.rotZ), d.lit, d.mean, d.farOff, kFarOff);
  EXPECT_GT(d.lit, 0) << what;
  EXPECT_LE(d.mean, kMeanLimit) << what << " at rotZ " << w.view.rotZ;
  EXPECT_LE(d.farOff, kFarOffShareLimit * d.lit) << what << " at rotZ " << w.view.rotZ;
}

void advanceTicks(TViewPort& w, int ticks) {
  for (int i = 0; i < ticks; ++i) advanceCamera(w.view);
}

class SplatPicture : public testing::TestWithParam<std::pair<int, int>> {
 protected:
  void SetUp() override { setenv("GALAXY_TEST_DRAW_PATH", "splat", 1); }
  void TearDown() override { unsetenv("GALAXY_TEST_DRAW_PATH"); }
};

}  // namespace

TEST_P(SplatPicture, MatchesTheDriverForDefaultsPresetsAndANearlyFullGalaxy) {
  const auto [width, height] = GetParam();
  HeadlessViewport headless(nullptr, width, height);
  TViewPort& w = headless.window();
  expectSamePicture(w, width, height, "defaults");
  advanceTicks(w, 450);
  expectSamePicture(w, width, height, "defaults");
  for (int preset = 1; preset <= 8; ++preset) {
    uint16_t key = static_cast<uint16_t>('0' + preset);
    w.FormKeyDown(&w, key, 0);
    w.pendingPoints.write(w.galaxy);
    advanceTicks(w, 97 * preset);
    expectSamePicture(w, width, height, ("preset " + std::to_string(preset)).c_str());
  }
  // 815 rings of preset 7: 997,560 of the million a galaxy may have.
  w.galaxy.applyPreset(815, kPresets[6].arms, kPresets[6].twist);
  ASSERT_GT(w.galaxy.count, 990000);
  expectSamePicture(w, width, height, "815 rings");
  w.view.zoomVel = -0.1f;  // drifting away: the glow of the core saturates
  advanceTicks(w, 300);
  expectSamePicture(w, width, height, "815 rings, drifted away");
  w.view.cameraZ = -2.0f;  // close up: points beyond every edge, blocks cut by them
  expectSamePicture(w, width, height, "815 rings, close up");
}

INSTANTIATE_TEST_SUITE_P(TwoWindowSizes, SplatPicture,
                         testing::Values(std::pair{807, 701}, std::pair{500, 900}));

TEST(SplatPath, HiddenOrOverCapacityDrawsBlackAndResizesFollowTheViewport) {
  setenv("GALAXY_TEST_DRAW_PATH", "splat", 1);
  HeadlessViewport headless(nullptr, 320, 240);
  unsetenv("GALAXY_TEST_DRAW_PATH");
  TViewPort& w = headless.window();
  ASSERT_NE(activeSplatPath(), nullptr);
  uint16_t f3 = VK_F3;
  w.FormKeyDown(&w, f3, 0);
  w.TimerTimer(&w);
  for (uint8_t value : readFrame(320, 240)) EXPECT_EQ(value % 255, 0) << "a hidden galaxy leaves the frame black";
  w.FormKeyDown(&w, f3, 0);
  headless.backend().setClientSize(200, 150);
  headless.backend().resizeClient(w.GetHandle(), 200, 150);
  w.FormResize(&w);
  expectSamePicture(w, 200, 150, "after a resize");
  // Too small a window to measure the point in: the driver draws the frame.
  headless.backend().setClientSize(40, 30);
  headless.backend().resizeClient(w.GetHandle(), 40, 30);
  w.FormResize(&w);
  w.TimerTimer(&w);
  int lit = 0;
  for (uint8_t value : readFrame(40, 30)) lit += value > 0;
  EXPECT_GT(lit, 0) << "a 40 x 30 window still shows the galaxy";
}

TEST(DrawPath, SoftwareRenderersSplatAndTheTestSeamForcesEitherPath) {
  for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Google SwiftShader", "GDI Generic"})
    EXPECT_TRUE(isSoftwareRenderer(name)) << name;
  for (const char* name : {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "NVIDIA GeForce RTX 3060/PCIe/SSE2", ""})
    EXPECT_FALSE(isSoftwareRenderer(name)) << name;
  EXPECT_FALSE(isSoftwareRenderer(nullptr));
  {
    HeadlessViewport headless;
    EXPECT_NE(activeSplatPath(), nullptr) << "the headless context is Mesa's llvmpipe";
  }
  setenv("GALAXY_TEST_DRAW_PATH", "fixed", 1);
  HeadlessViewport forced;
  unsetenv("GALAXY_TEST_DRAW_PATH");
  EXPECT_EQ(activeSplatPath(), nullptr);
}
