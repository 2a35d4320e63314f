// A long, reproducible random session against the real window on a headless
// context: any key code, any wheel delta, resizes down to nothing, ticks and
// hide/show. After every event the window must agree with a plain model of
// the key table, and the GL and the caption must be sound.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "galaxy/presets.h"
#include "headless_viewport.h"
#include "platform/forms/runtime.h"
#include "platform/forms/virtual_keys.h"

namespace {

// The controls written out the plain way, one field at a time.
struct Model {
  float zoomVel = 0.0f, rotXVel = 0.01f, rotYVel = 0.01f, rotZVel = 0.1f;
  int64_t rings = 100, arms = 4, falloff = 2, auxA = 64, auxB = 512, auxC = 2;
  double twist = 2.2 * kPi, spread = 1.1;
  int64_t count = 20200, saved = 0;

  static int64_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v & 0xFFFFFFFF)); }
  void regenerate() {
    const long double points = static_cast<long double>(arms) * (rings * (rings + 1) / 2);
    count = points > 1000000.0L ? 0 : static_cast<int64_t>(points);
  }
  void velocity(float& v, double step) { v = static_cast<float>(static_cast<double>(v) + step); }
  void integer(int64_t& field, int step) {
    field = wrap(field + step);
    regenerate();
  }

  void key(uint16_t k) {
    switch (k) {
      case VK_UP: return velocity(rotXVel, -0.1);
      case VK_DOWN: return velocity(rotXVel, 0.1);
      case VK_LEFT: return velocity(rotYVel, -0.1);
      case VK_RIGHT: return velocity(rotYVel, 0.1);
      case VK_ADD: return velocity(zoomVel, -0.1);
      case VK_SUBTRACT: return velocity(zoomVel, 0.1);
      case VK_DIVIDE: return velocity(rotZVel, -0.1);
      case VK_MULTIPLY: return velocity(rotZVel, 0.1);
      case 'Z': arms = arms - 1 == 0 ? 1 : wrap(arms - 1); return regenerate();
      case 'X': return integer(arms, 1);
      case 'C': return integer(auxA, -1);
      case 'V': return integer(auxA, 1);
      case 'B': twist -= 0.1; return regenerate();
      case 'N': twist += 0.1; return regenerate();
      case 'A': return integer(rings, -1);
      case 'S': return integer(rings, 1);
      case 'D': return integer(falloff, -1);
      case 'F': return integer(falloff, 1);
      case 'G': return integer(auxB, -1);
      case 'H': return integer(auxB, 1);
      case 'J': spread -= 0.1; return regenerate();
      case 'K': spread += 0.1; return regenerate();
      case 'Q': return integer(auxC, -1);
      case 'W': return integer(auxC, 1);
      case VK_F3:
        if (count != 0) saved = count, count = 0;
        else count = saved;
        return;
      case VK_SPACE: rotXVel = rotYVel = rotZVel = zoomVel = 0.0f; return;
      default:
        if (k >= '1' && k <= '8') {
          const GalaxyPreset& p = kPresets[k - '1'];
          rings = p.rings, arms = p.arms, twist = p.twist;
          regenerate();
        }
    }
  }
  void wheel(int32_t delta) { zoomVel = static_cast<float>((delta > 0) - (delta < 0)) * 0.1 + zoomVel; }
};

constexpr uint16_t kActiveKeys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_ADD, VK_SUBTRACT, VK_DIVIDE, VK_MULTIPLY,
                                    'Z', 'X', 'C', 'V', 'B', 'N', 'A', 'S', VK_F3, 'D', 'F', 'G', 'H', 'J', 'K',
                                    'Q', 'W', VK_SPACE, '1', '2', '3', '4', '5', '6', '7', '8'};

// A figure with two decimals: an optional minus, digits, a full stop, two digits.
bool isTwoDecimalFigure(const std::string& text) {
  const size_t digits = text.starts_with('-') ? 1 : 0;
  const size_t point = text.find('.');
  return point != std::string::npos && point > digits && point + 3 == text.size() &&
         text.find_first_not_of("0123456789", digits) == point &&
         text.find_first_not_of("0123456789", point + 1) == std::string::npos;
}

void expectAgrees(const TViewPort& w, const Model& m, int step) {
  const GalaxyCloud& g = w.galaxy;
  ASSERT_EQ(w.view.rotXVel, m.rotXVel) << "event " << step;
  ASSERT_EQ(w.view.rotYVel, m.rotYVel) << "event " << step;
  ASSERT_EQ(w.view.rotZVel, m.rotZVel) << "event " << step;
  ASSERT_EQ(w.view.zoomVel, m.zoomVel) << "event " << step;
  ASSERT_EQ(g.rings, m.rings) << "event " << step;
  ASSERT_EQ(g.arms, m.arms) << "event " << step;
  ASSERT_EQ(g.falloff, m.falloff) << "event " << step;
  ASSERT_EQ(g.auxA, m.auxA) << "event " << step;
  ASSERT_EQ(g.auxB, m.auxB) << "event " << step;
  ASSERT_EQ(g.auxC, m.auxC) << "event " << step;
  ASSERT_EQ(g.twist, m.twist) << "event " << step;
  ASSERT_EQ(g.spread, m.spread) << "event " << step;
  ASSERT_EQ(g.count, m.count) << "event " << step;
  ASSERT_EQ(w.savedCount, m.saved) << "event " << step;
  ASSERT_LE(g.count, kMaxPoints) << "event " << step;
}

void expectCaptionShows(const std::string& caption, const Model& m, int step) {
  char x[32], y[32], z[32], zoom[32], twist[32], spread[32];
  long long arms, rings, auxA, auxC, auxB, falloff;
  int end = 0;
  const int fields = std::sscanf(
      caption.c_str(),
      "Galaxy ~ Rotation(%31[^:]:%31[^:]:%31[^)]) Zoom(%31[^)]) Arm(%lld:%lld:%31[^:]:%lld) Other(%lld:%lld:%31[^:]:%lld)%n",
      x, y, z, zoom, &arms, &rings, twist, &auxA, &auxC, &auxB, spread, &falloff, &end);
  ASSERT_EQ(fields, 12) << "event " << step << ": " << caption;
  ASSERT_EQ(static_cast<size_t>(end), caption.size()) << "event " << step << ": " << caption;
  for (const char* figure : {x, y, z, zoom, twist, spread})
    EXPECT_TRUE(isTwoDecimalFigure(figure)) << "event " << step << ": " << figure << " in " << caption;
  EXPECT_EQ(arms, m.arms) << caption;
  EXPECT_EQ(rings, m.rings) << caption;
  EXPECT_EQ(auxA, m.auxA) << caption;
  EXPECT_EQ(auxC, m.auxC) << caption;
  EXPECT_EQ(auxB, m.auxB) << caption;
  EXPECT_EQ(falloff, m.falloff) << caption;
}

}  // namespace

TEST(RandomEvents, ALongSessionAgreesWithThePlainModel) {
  HeadlessViewport headless;
  TViewPort& w = headless.window();
  ASSERT_TRUE(w.renderingReady);
  FormatSettings = TFormatSettings{};
  Model model;
  std::mt19937 random(20261209);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  int frames = 0;
  int64_t pointsDrawn = 0;
  for (int step = 0; step < 4000; ++step) {
    const int kind = pick(100);
    if (kind < 45) {  // a key the table knows, or any code at all
      uint16_t key = pick(2) ? kActiveKeys[pick(std::size(kActiveKeys))] : static_cast<uint16_t>(pick(65536));
      // Keep the galaxy small enough for a software renderer: big counts add nothing here.
      if ((key == 'S' && model.rings > 160) || (key == 'X' && model.arms > 12)) key = VK_SHIFT;
      const uint16_t sent = key;
      w.FormKeyDown(&w, key, static_cast<TShiftState>(pick(8)));
      ASSERT_EQ(key, sent);
      model.key(key);
      expectCaptionShows(w.GetText(), model, step);
    } else if (kind < 60) {
      const int32_t deltas[] = {0, 1, -1, 120, -120, 960, INT32_MAX, INT32_MIN, static_cast<int32_t>(random())};
      bool handled = false;
      const int32_t delta = deltas[pick(std::size(deltas))];
      w.FormMouseWheel(&w, 0, delta, TPoint{pick(800), pick(600)}, handled);
      model.wheel(delta);
      ASSERT_FALSE(handled);
    } else if (kind < 70) {
      const int width = pick(5) == 0 ? 0 : pick(2000), height = pick(5) == 0 ? 0 : pick(2000);
      headless.backend().resizeClient(w.GetHandle(), width, height);
      w.FormResize(&w);
      ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "event " << step << ": resize " << width << "x" << height;
    } else {
      w.TimerTimer(&w);
      ++frames;
      pointsDrawn += (w.galaxy.count + 2) / 3;
      ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "event " << step << ": frame";
      ASSERT_TRUE(w.Timer->Enabled());
    }
    expectAgrees(w, model, step);
  }
  EXPECT_GT(frames, 1000);
  EXPECT_GT(pointsDrawn, 1000000) << "the frames must have drawn a galaxy most of the time";
  std::printf("%d frames, %lld points drawn\n", frames, static_cast<long long>(pointsDrawn));
}
