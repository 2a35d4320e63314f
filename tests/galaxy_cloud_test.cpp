// The galaxy model: random source, capacity rule, layout of the generated points.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/presets.h"
#include "galaxy/rand15.h"

namespace {

std::unique_ptr<GalaxyCloud> makeGalaxy() { return std::make_unique<GalaxyCloud>(); }

void expectTriple(const double* p, double p0, double p1, double p2) {
  EXPECT_NEAR(p[0], p0, 5e-7);
  EXPECT_NEAR(p[1], p1, 5e-7);
  EXPECT_NEAR(p[2], p2, 5e-7);
}

bool samePoints(const GalaxyCloud& a, const GalaxyCloud& b) {
  return std::memcmp(a.points, b.points, sizeof a.points) == 0;
}

}  // namespace

TEST(Rand15, SeedDiscardsOneValueThenFollowsTheRecurrence) {
  Rand15::seed(1);
  EXPECT_EQ(Rand15::state(), 22695478u) << "seed(1) must advance once (yielding 346)";
  EXPECT_EQ(Rand15::output(Rand15::state()), 346u);
  const uint32_t expected[] = {130, 10982, 1090, 11656};
  for (uint32_t value : expected) EXPECT_EQ(Rand15::next(), value);
  for (int i = 0; i < 100000; ++i) ASSERT_LE(Rand15::next(), 32767u);
}

TEST(GalaxyCloud, DefaultsAndTheFirstAndLastPointWritten) {
  auto g = makeGalaxy();
  EXPECT_EQ(g->falloff, 2);
  EXPECT_EQ(g->auxA, 64);
  EXPECT_DOUBLE_EQ(g->twist, 6.911503837897546);
  EXPECT_EQ(g->arms, 4);
  EXPECT_EQ(g->rings, 100);
  EXPECT_DOUBLE_EQ(g->spread, 1.1);
  EXPECT_EQ(g->auxB, 512);
  EXPECT_EQ(g->auxC, 2);
  EXPECT_EQ(g->count, 20200);
  expectTriple(&g->points[0], 0.006646, -0.050589, -0.025934);
  const int written = 19800;
  expectTriple(&g->points[3 * (written - 1)], -0.002216, 0.602235, -0.801002);
  // Nothing past the last point written: the array started zero-filled.
  for (int k = 3 * written; k < 3 * 20200; ++k) ASSERT_EQ(g->points[k], 0.0) << "index " << k;
}

TEST(GalaxyCloud, SmallRingCountsWriteOnlyFromRingOneOutwards) {
  auto g = makeGalaxy();
  const double before[3] = {g->points[0], g->points[1], g->points[2]};

  g->arms = 1;
  g->rings = 1;
  g->generate();
  EXPECT_EQ(g->count, 1);
  EXPECT_EQ(std::memcmp(before, g->points, sizeof before), 0) << "rings 1 writes no point";

  g->rings = 2;
  g->generate();
  EXPECT_EQ(g->count, 3);
  // Ring 1 of 2 has r = 0.5 and theta = 0.5 * twist; its one point lies within
  // the cluster's size of the centre.
  const double r = 0.5, theta = r * g->twist, size = (g->spread - r) * 0.2;
  const double cx = std::sin(theta) * r, cy = std::cos(theta) * r;
  const double dx = g->points[2] - cx, dy = g->points[1] - cy, dz = g->points[0];
  EXPECT_LE(std::sqrt(dx * dx + dy * dy + dz * dz), std::abs(size));
  EXPECT_NE(g->points[0], before[0]) << "ring 1 must have overwritten the first triple";
}

TEST(GalaxyCloud, CapacityIsExactlyOneMillionPoints) {
  auto g = makeGalaxy();
  g->rings = 4;
  g->arms = 100000;
  g->generate();
  EXPECT_EQ(g->count, 1000000) << "exactly kMaxPoints is accepted";

  auto snapshot = makeGalaxy();
  std::memcpy(snapshot->points, g->points, sizeof g->points);
  g->rings = 707;
  g->arms = 4;
  g->generate();
  EXPECT_EQ(g->count, 0) << "1,001,112 points is over capacity";
  EXPECT_TRUE(samePoints(*g, *snapshot)) << "an over-capacity generate must not touch points";

  g->rings = 706;
  g->generate();
  EXPECT_EQ(g->count, 998284);
}

TEST(GalaxyCloud, RegenerationIsBitIdenticalAndIgnoresAuxValues) {
  auto a = makeGalaxy();
  auto b = makeGalaxy();
  Rand15::seed(12345);  // disturb the shared state between the two
  b->auxA = -7;
  b->auxB = 1 << 30;
  b->auxC = 99;
  b->generate();
  EXPECT_TRUE(samePoints(*a, *b));
  EXPECT_EQ(a->count, b->count);
}

TEST(GalaxyCloud, NonPositiveRingsFollowTheCountFormulaAndWriteNothing) {
  auto g = makeGalaxy();
  auto snapshot = makeGalaxy();
  const struct { int32_t rings; int32_t count; } cases[] = {{0, 0}, {-1, 0}, {-2, 4}, {-3, 12}};
  for (auto c : cases) {
    g->rings = c.rings;
    g->generate();
    EXPECT_EQ(g->count, c.count) << "rings " << c.rings;
    EXPECT_TRUE(samePoints(*g, *snapshot)) << "rings " << c.rings << " must write no point";
  }
}

TEST(GalaxyCloud, HugeRingCountsDoNotOverflow) {
  auto g = makeGalaxy();
  for (int32_t rings : {46341, 65536, 2147483647, -2147483647 - 1}) {
    g->rings = rings;
    g->arms = 1;
    g->generate();
    EXPECT_EQ(g->count, 0) << "rings " << rings << " is far over capacity";
  }
  EXPECT_EQ(requestedPointCount(46341, 1), 1073767311LL);
  EXPECT_EQ(requestedPointCount(2147483647, 2147483647), INT64_MAX) << "saturates instead of wrapping";
}

TEST(GalaxyCloud, FalloffPullsPointsTowardsTheClusterCentre) {
  auto uniform = makeGalaxy();
  uniform->falloff = 0;
  uniform->generate();
  auto pulled = makeGalaxy();  // falloff 2
  double sumUniform = 0, sumPulled = 0;
  for (int k = 0; k < 3 * 19800; k += 3) {
    sumUniform += std::abs(uniform->points[k]);
    sumPulled += std::abs(pulled->points[k]);
  }
  // In a uniform ball E[s^3] / E[s] = 2/3, and thickness is one such offset.
  EXPECT_NEAR(sumPulled / sumUniform, 2.0 / 3.0, 0.02);
  auto negative = makeGalaxy();
  negative->falloff = -5;
  negative->generate();
  EXPECT_TRUE(samePoints(*negative, *uniform)) << "falloff <= 0 leaves offsets unchanged";
}

TEST(GalaxyPresets, TwistsAreFactorsOfPiAndCountsFollow) {
  const double twists[] = {6.911503837897546, 5.237034953534185, 3.141592653589793, 3.141592653589793,
                           3.6128315516282616, 4.187743007235194, 4.187743007235194, 122.52211349000193};
  const int32_t counts[] = {5100, 3660, 5100, 3825, 5100, 4620, 36270, 5100};
  auto g = makeGalaxy();
  for (size_t i = 0; i < kPresets.size(); ++i) {
    EXPECT_EQ(kPresets[i].twist, twists[i]) << "preset " << i + 1;
    g->applyPreset(kPresets[i].rings, kPresets[i].arms, kPresets[i].twist);
    EXPECT_EQ(g->count, counts[i]) << "preset " << i + 1;
    EXPECT_EQ(g->falloff, 2) << "a preset keeps the other parameters";
    EXPECT_DOUBLE_EQ(g->spread, 1.1);
  }
}
