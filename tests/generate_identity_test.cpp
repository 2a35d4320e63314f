// The batched generator against the scalar baseline: the same count, the same
// points to the last bit and the same place in the random stream.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "tests/reference/reference_generate.h"
#include "galaxy/galaxy_cloud.h"
#include "galaxy/presets.h"
#include "galaxy/rand15.h"

namespace {

struct Parameters {
  int32_t rings, arms, falloff;
  double twist, spread;
};

void expectSameAsBaseline(const Parameters& p) {
  auto fast = std::make_unique<GalaxyCloud>();
  auto slow = std::make_unique<GalaxyCloud>();
  for (GalaxyCloud* g : {fast.get(), slow.get()}) {
    g->rings = p.rings;
    g->arms = p.arms;
    g->falloff = p.falloff;
    g->twist = p.twist;
    g->spread = p.spread;
    std::memset(g->points, 0x5a, sizeof g->points);  // the same leftovers in both
  }
  fast->generate();
  const uint32_t fastState = Rand15::state();
  referenceGenerate(*slow);
  const uint32_t slowState = Rand15::state();

  const std::string which = "rings " + std::to_string(p.rings) + ", arms " + std::to_string(p.arms) + ", falloff " +
                            std::to_string(p.falloff) + ", spread " + std::to_string(p.spread);
  EXPECT_EQ(fast->count, slow->count) << which;
  EXPECT_EQ(fastState, slowState) << which << ": the random stream must end where the baseline's does";
  const size_t bytes = sizeof fast->points;
  if (std::memcmp(fast->points, slow->points, bytes) != 0) {
    size_t k = 0;
    while (std::memcmp(&fast->points[k], &slow->points[k], sizeof(double)) == 0) ++k;
    ADD_FAILURE() << which << ": coordinate " << k << " differs: " << fast->points[k] << " vs " << slow->points[k];
  }
}

}  // namespace

TEST(GenerateIdentity, MatchesTheScalarBaselineBitForBit) {
  const double twist = 2.2 * kPi;
  std::vector<Parameters> table = {
      {100, 4, 2, twist, 1.1},        // defaults
      {100, 4, 0, twist, 1.1},        // no pull
      {100, 4, -3, twist, 1.1},       // negative falloff
      {100, 4, 7, twist, 1.1},
      {100, 4, 100, twist, 1.1},     // a long pull, four points side by side
      {60, 3, 2, twist, -0.7},        // negative spread mirrors the offsets
      {1, 4, 2, twist, 1.1},          {2, 1, 2, twist, 1.1},  {3, 1, 2, twist, 1.1},
      {706, 4, 2, twist, 1.1},        // the largest accepted four-armed galaxy
      {4, 100000, 2, twist, 1.1},     // exactly 1,000,000
      {707, 4, 2, twist, 1.1},        // over capacity
      {0, 4, 2, twist, 1.1},          {-3, 4, 2, twist, 1.1},
  };
  for (const GalaxyPreset& preset : kPresets) table.push_back({preset.rings, preset.arms, 2, preset.twist, 1.1});
  for (const Parameters& p : table) expectSameAsBaseline(p);
}

TEST(GenerateIdentity, LargeFalloffStopsEarlyWithoutChangingABit) {
  expectSameAsBaseline({30, 4, 5000, 2.2 * kPi, 1.1});
}
