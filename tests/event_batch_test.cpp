// A burst of queued input handled by the real message loop: worked off as a
// batch it must leave exactly what handling it one event per frame leaves.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "galaxy/rand15.h"
#include "headless_viewport.h"
#include "platform/forms/runtime.h"
#include "platform/forms/virtual_keys.h"

namespace {

struct Outcome {
  ViewState view;
  std::unique_ptr<GalaxyCloud> galaxy = std::make_unique<GalaxyCloud>();  // parameters, count and points
  int32_t savedCount = 0;
  uint32_t randomState = 0;
  std::string caption;
  std::vector<std::string> captionsSet;
};

// Random key-downs of every kind (velocities, parameters, presets, F3, space,
// keys without a row) and wheel turns. The galaxy stays small enough for a
// frame per event; large ones are no different here.
std::vector<WindowEvent> randomBurst(int size) {
  const uint16_t keys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_ADD, VK_SUBTRACT, VK_DIVIDE, VK_MULTIPLY, 'Z', 'X',
                           'C', 'V', 'B', 'N', 'A', 'S', VK_F3, 'D', 'F', 'G', 'H', 'J', 'K', 'Q', 'W', VK_SPACE,
                           '1', '2', '3', '4', '5', '6', '7', '8', VK_SHIFT, '9', VK_NUMPAD0};
  std::mt19937 random(16);
  std::vector<WindowEvent> burst;
  for (int i = 0; i < size; ++i) {
    WindowEvent e;
    if (random() % 8 == 0) {
      e.kind = WindowEvent::Kind::MouseWheel;
      e.wheelDelta = static_cast<int32_t>(random() % 3) * 120 - 120;
    } else {
      e.kind = WindowEvent::Kind::KeyDown;
      e.key = keys[random() % std::size(keys)];
    }
    burst.push_back(e);
  }
  return burst;
}

// Posts the events `spacingUs` apart (0: all at once), then a close, and runs
// the message loop until the window has closed.
Outcome run(std::vector<WindowEvent> events, int64_t spacingUs) {
  ScriptedGlBinding gl;
  HeadlessViewport headless(&gl);
  TViewPort& w = headless.window();
  NullWindowBackend& backend = headless.backend();
  int64_t at = backend.nowUs() + 1;
  for (WindowEvent& e : events) {
    e.window = w.GetHandle();
    backend.post(e, at);
    at += spacingUs;
  }
  backend.post(makeEvent(WindowEvent::Kind::Close, w.GetHandle()), at + 25'000);
  Application->Run();
  Outcome out;
  out.view = w.view;
  std::memcpy(static_cast<void*>(out.galaxy.get()), &w.galaxy, sizeof w.galaxy);
  out.savedCount = w.savedCount;
  out.randomState = Rand15::state();
  out.caption = w.GetText();
  out.captionsSet = backend.captionsSet();
  return out;
}

}  // namespace

TEST(EventBatch, ABurstWorkedOffAtOnceEndsExactlyAsOneEventPerFrame) {
  FormatSettings = TFormatSettings{};
  const std::vector<WindowEvent> burst = randomBurst(2000);
  const Outcome batch = run(burst, 0);
  const Outcome oneByOne = run(burst, 20'000);  // a tick, and so a frame, between any two

  EXPECT_EQ(batch.view.rotXVel, oneByOne.view.rotXVel);
  EXPECT_EQ(batch.view.rotYVel, oneByOne.view.rotYVel);
  EXPECT_EQ(batch.view.rotZVel, oneByOne.view.rotZVel);
  EXPECT_EQ(batch.view.zoomVel, oneByOne.view.zoomVel);
  EXPECT_EQ(batch.savedCount, oneByOne.savedCount);
  EXPECT_EQ(batch.randomState, oneByOne.randomState);
  EXPECT_EQ(std::memcmp(batch.galaxy.get(), oneByOne.galaxy.get(), sizeof(GalaxyCloud)), 0)
      << "parameters, count and every point the same, bit for bit";
  EXPECT_EQ(batch.caption, oneByOne.caption);

  ASSERT_FALSE(batch.captionsSet.empty());
  EXPECT_EQ(batch.captionsSet.back(), batch.caption) << "the window shows the last caption";
  EXPECT_EQ(batch.captionsSet.size(), 1u) << "captions superseded before any frame never reach the window";
  EXPECT_GT(oneByOne.captionsSet.size(), 1000u) << "one by one, each key's caption is shown";
}
