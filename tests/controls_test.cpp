// The key and wheel handlers on the real window class, without a screen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "galaxy/presets.h"
#include "headless_viewport.h"
#include "platform/forms/runtime.h"
#include "platform/forms/virtual_keys.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings = TFormatSettings{};
    headless_ = std::make_unique<HeadlessViewport>(&gl_);
  }
  TViewPort& w() { return headless_->window(); }
  void press(uint16_t key, TShiftState shift = 0) {
    uint16_t code = key;
    w().FormKeyDown(&w(), code, shift);
    EXPECT_EQ(code, key) << "the handler never changes the key code";
  }
  void wheel(int32_t delta) {
    bool handled = false;
    w().FormMouseWheel(&w(), 0, delta, TPoint{5, 7}, handled);
    EXPECT_FALSE(handled) << "the wheel event is not claimed";
  }
  std::unique_ptr<GalaxyCloud> snapshot() {
    w().pendingPoints.write(w().galaxy);
    auto copy = std::make_unique<GalaxyCloud>();
    std::memcpy(copy->points, w().galaxy.points, sizeof copy->points);
    copy->count = w().galaxy.count;
    return copy;
  }
  // The points as the next frame draws them.
  bool samePoints(const GalaxyCloud& other) {
    w().pendingPoints.write(w().galaxy);
    return std::memcmp(other.points, w().galaxy.points, sizeof other.points) == 0;
  }

  ScriptedGlBinding gl_;
  std::unique_ptr<HeadlessViewport> headless_;
};

}  // namespace

TEST_F(Controls, VelocityStepsAreWidenedSteppedAndRoundedBackToFloat) {
  press(VK_DIVIDE);
  EXPECT_EQ(w().view.rotZVel, static_cast<float>(static_cast<double>(0.1f) - 0.1));
  EXPECT_NEAR(w().view.rotZVel, 1.49e-9, 1e-11) << "not zero: the view still turns";

  press(VK_UP);
  EXPECT_NEAR(w().view.rotXVel, -0.09000000357, 1e-10);
  press(VK_DOWN);
  EXPECT_NE(w().view.rotXVel, 0.01f) << "up then down does not return the same bits";
  EXPECT_NEAR(w().view.rotXVel, 0.009999996, 1e-9);

  press(VK_LEFT);
  press(VK_RIGHT);
  press(VK_RIGHT);
  EXPECT_NEAR(w().view.rotYVel, 0.11f, 1e-6);
  press(VK_SUBTRACT);
  EXPECT_EQ(w().view.zoomVel, static_cast<float>(0.1));
  press(VK_ADD);
  press(VK_ADD);
  EXPECT_NEAR(w().view.zoomVel, -0.1f, 1e-7);
  press(VK_MULTIPLY);
  EXPECT_NEAR(w().view.rotZVel, 0.1f, 1e-7);

  const ViewState before = w().view;
  press(VK_SPACE);
  EXPECT_EQ(w().view.rotXVel, 0.0f);
  EXPECT_EQ(w().view.rotYVel, 0.0f);
  EXPECT_EQ(w().view.rotZVel, 0.0f);
  EXPECT_EQ(w().view.zoomVel, 0.0f);
  EXPECT_FALSE(std::signbit(w().view.rotXVel)) << "+0.0, not -0.0";
  EXPECT_EQ(w().view.cameraZ, before.cameraZ) << "the picture stops where it is";
  EXPECT_EQ(w().view.rotZ, before.rotZ);
}

TEST_F(Controls, ParameterKeysEditAndRegenerate) {
  press('S');
  EXPECT_EQ(w().galaxy.rings, 101);
  EXPECT_EQ(w().galaxy.count, 4 * 101 * 102 / 2);
  press('A');
  press('A');
  EXPECT_EQ(w().galaxy.rings, 99);
  press('X');
  EXPECT_EQ(w().galaxy.arms, 5);
  EXPECT_EQ(w().galaxy.count, 5 * 99 * 100 / 2);
  press('N');
  EXPECT_DOUBLE_EQ(w().galaxy.twist, 2.2 * kPi + 0.1);
  press('B');
  press('B');
  EXPECT_DOUBLE_EQ(w().galaxy.twist, 2.2 * kPi - 0.1);
  press('F');
  EXPECT_EQ(w().galaxy.falloff, 3);
  press('D');
  press('D');
  EXPECT_EQ(w().galaxy.falloff, 1);
  press('K');
  EXPECT_DOUBLE_EQ(w().galaxy.spread, 1.1 + 0.1);
  press('J');
  press('J');
  EXPECT_DOUBLE_EQ(w().galaxy.spread, 1.1 + 0.1 - 0.1 - 0.1);

  // The generator ran: the points match a fresh generation of these values.
  auto fresh = std::make_unique<GalaxyCloud>();
  fresh->applyPreset(99, 5, w().galaxy.twist);
  fresh->falloff = 1;
  fresh->spread = w().galaxy.spread;
  fresh->generate();
  EXPECT_TRUE(samePoints(*fresh));
}

TEST_F(Controls, ZAtOneArmStaysAtOneAndStillRegenerates) {
  for (int i = 0; i < 3; ++i) press('Z');
  EXPECT_EQ(w().galaxy.arms, 1);
  const auto before = snapshot();
  w().galaxy.points[0] = 12345.0;  // a regeneration puts it right again
  press('Z');
  EXPECT_EQ(w().galaxy.arms, 1);
  EXPECT_TRUE(samePoints(*before));
}

TEST_F(Controls, AuxiliaryKeysRegenerateTheSamePoints) {
  const auto before = snapshot();
  const struct { uint16_t key; int32_t GalaxyCloud::*field; int32_t expected; } keys[] = {
      {'C', &GalaxyCloud::auxA, 63}, {'V', &GalaxyCloud::auxA, 64}, {'V', &GalaxyCloud::auxA, 65},
      {'G', &GalaxyCloud::auxB, 511}, {'H', &GalaxyCloud::auxB, 512}, {'Q', &GalaxyCloud::auxC, 1},
      {'W', &GalaxyCloud::auxC, 2},   {'W', &GalaxyCloud::auxC, 3},
  };
  for (const auto& k : keys) {
    w().galaxy.points[0] = -1.0;
    press(k.key);
    EXPECT_EQ(w().galaxy.*k.field, k.expected) << "key " << static_cast<char>(k.key);
    EXPECT_TRUE(samePoints(*before)) << "key " << static_cast<char>(k.key) << " must regenerate identical points";
  }
}

TEST_F(Controls, HideAndShowSwapTheCountAside) {
  press(VK_F3);
  EXPECT_EQ(w().galaxy.count, 0);
  EXPECT_EQ(w().savedCount, 20200);
  press(VK_F3);
  EXPECT_EQ(w().galaxy.count, 20200);
  EXPECT_EQ(w().savedCount, 20200) << "showing keeps the saved value";

  press(VK_F3);
  press('S');  // a regeneration while hidden shows the galaxy again
  EXPECT_EQ(w().galaxy.count, 4 * 101 * 102 / 2);
  EXPECT_EQ(w().savedCount, 20200);
  press(VK_F3);
  EXPECT_EQ(w().savedCount, 4 * 101 * 102 / 2) << "the next hide saves the new count";
}

TEST_F(Controls, HideWithNothingEverHiddenLeavesZero) {
  w().galaxy.rings = 706;
  press('S');  // 707 rings: over capacity, the galaxy vanishes
  EXPECT_EQ(w().galaxy.count, 0);
  press(VK_F3);
  EXPECT_EQ(w().galaxy.count, 0);
  EXPECT_EQ(w().savedCount, 0);
  press('A');
  EXPECT_EQ(w().galaxy.count, 998284) << "A brings it back";
}

TEST_F(Controls, PresetsSetRingsArmsAndTwistOnly) {
  press('F');
  press(VK_UP);
  const ViewState view = w().view;
  for (uint16_t key = '1'; key <= '8'; ++key) {
    press(key);
    const GalaxyPreset& p = kPresets[key - '1'];
    EXPECT_EQ(w().galaxy.rings, p.rings);
    EXPECT_EQ(w().galaxy.arms, p.arms);
    EXPECT_EQ(w().galaxy.twist, p.twist);
    EXPECT_EQ(w().galaxy.falloff, 3) << "a preset keeps falloff";
    EXPECT_EQ(w().galaxy.auxA, 64);
    EXPECT_EQ(std::memcmp(&w().view, &view, sizeof view), 0) << "a preset keeps the view";
  }
  EXPECT_EQ(w().galaxy.count, 5100);
}

TEST_F(Controls, KeysWithoutARowChangeNothingButTheCaption) {
  const ViewState view = w().view;
  const auto before = snapshot();
  const GalaxyCloud& g = w().galaxy;
  const int32_t params[] = {g.count, g.auxA, g.rings, g.arms, g.falloff, g.auxB, g.auxC};
  const uint16_t unlisted[] = {0,  VK_SHIFT, VK_CONTROL, VK_RETURN, '0', '9', 96,  97,  100, 105, VK_OEM_PLUS,
                               VK_OEM_MINUS, VK_F1, VK_F2, 'E', 'Y', 'L', 255, 65535};
  for (uint16_t key : unlisted) {
    w().SetText("Galaxy");
    press(key, ssShift | ssCtrl);
    EXPECT_NE(w().GetText(), "Galaxy") << "key " << key << " must still rebuild the caption";
  }
  EXPECT_EQ(std::memcmp(&w().view, &view, sizeof view), 0);
  const int32_t after[] = {g.count, g.auxA, g.rings, g.arms, g.falloff, g.auxB, g.auxC};
  EXPECT_EQ(std::memcmp(params, after, sizeof params), 0);
  EXPECT_TRUE(samePoints(*before));
}

TEST_F(Controls, TheWheelStepsZoomByTheSignOfItsDeltaOnly) {
  const std::string caption = w().GetText();
  wheel(120);
  EXPECT_EQ(w().view.zoomVel, static_cast<float>(0.1));
  wheel(960);
  EXPECT_EQ(w().view.zoomVel, static_cast<float>(static_cast<double>(static_cast<float>(0.1)) + 0.1));
  wheel(0);
  wheel(-1);
  wheel(-2147483647 - 1);
  EXPECT_NEAR(w().view.zoomVel, 0.0f, 1e-8);
  EXPECT_EQ(w().GetText(), caption) << "the wheel never touches the caption";

  // One turn away from the user, then keypad +, leaves a tiny drift, not zero.
  press(VK_SPACE);
  wheel(120);
  press(VK_ADD);
  EXPECT_NE(w().view.zoomVel, 0.0f);
  EXPECT_NEAR(w().view.zoomVel, 1.49e-9, 1e-11);
}
