// Deferred generation against generate() after every key: the same count after
// every key, and after every write() the same points to the last bit and the
// same place in the random stream.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/pending_points.h"
#include "galaxy/presets.h"
#include "galaxy/rand15.h"

namespace {

using Change = std::function<void(GalaxyCloud&)>;

std::string describe(const GalaxyCloud& g) {
  return "rings " + std::to_string(g.rings) + ", arms " + std::to_string(g.arms) + ", falloff " +
         std::to_string(g.falloff) + ", twist " + std::to_string(g.twist) + ", spread " + std::to_string(g.spread);
}

// The F3 key: count goes aside and comes back, with no generation.
void toggleHidden(GalaxyCloud& g, int32_t& saved) {
  if (g.count != 0) {
    saved = g.count;
    g.count = 0;
  } else {
    g.count = saved;
  }
}

// Two galaxies taken through the same keys: `plain` regenerates at every key,
// `deferred` notes the generation and writes its points when asked.
class TwoWays {
 public:
  void key(const Change& change, const std::string& when) {
    change(*plain_);
    change(*deferred_);
    plain_->generate();
    plainLeaves_ = Rand15::state();
    Rand15::seed(++disturbance_);  // so that a write() that forgets Rand15 shows
    pending_.generateLater(*deferred_);
    noted_ = true;
    ASSERT_EQ(deferred_->count, plain_->count) << when << ", " << describe(*plain_);
    ASSERT_FALSE(pending_.empty()) << when;
  }

  const GalaxyCloud& plain() const { return *plain_; }

  void hideOrShow() {
    toggleHidden(*plain_, plainSaved_);
    toggleHidden(*deferred_, deferredSaved_);
  }

  void writeAndCompare(const std::string& when) {
    const uint32_t before = Rand15::state();
    pending_.write(*deferred_);
    ASSERT_TRUE(pending_.empty()) << when;
    EXPECT_EQ(Rand15::state(), noted_ ? plainLeaves_ : before)
        << when << ": Rand15 must stand where the last generation left it (untouched when nothing was noted)";
    EXPECT_EQ(deferred_->count, plain_->count) << when << ": write() must leave count alone";
    noted_ = false;
    if (std::memcmp(deferred_->points, plain_->points, sizeof plain_->points) == 0) return;
    int k = 0;
    while (std::memcmp(&deferred_->points[k], &plain_->points[k], sizeof(double)) == 0) ++k;
    FAIL() << when << ", last " << describe(*plain_) << ": coordinate " << k << " (point " << k / 3 << ") is " << deferred_->points[k] << ", not "
           << plain_->points[k];
  }

 private:
  std::unique_ptr<GalaxyCloud> plain_ = std::make_unique<GalaxyCloud>();
  std::unique_ptr<GalaxyCloud> deferred_ = std::make_unique<GalaxyCloud>();
  PendingPoints pending_;
  uint32_t plainLeaves_ = 0;
  uint32_t disturbance_ = 1000;
  bool noted_ = false;
  int32_t plainSaved_ = 0, deferredSaved_ = 0;
};

// One random parameter change of the kinds the keys make, or a jump to a
// value that tests an edge: few rings, over capacity, a long pull, many arms.
// A galaxy of more than 100,000 points is mostly left again at the next key,
// so that the whole sequence stays quick under the sanitizers.
Change randomChange(std::mt19937& rng, const GalaxyCloud& now) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int step = pick(0, 1) ? 1 : -1;
  const bool large = generationSize(now.rings, now.arms).written > 100000;
  const int kind = large && pick(0, 3) ? 9 : pick(0, 19);
  switch (kind) {
    case 0: case 1: case 16: return [=](GalaxyCloud& g) { g.rings += step; };
    case 2: case 17: return [=](GalaxyCloud& g) { g.arms = g.arms + step == 0 ? 1 : g.arms + step; };
    case 3: case 4: case 18: return [=](GalaxyCloud& g) { g.twist += step * 0.1; };
    case 5: return [=](GalaxyCloud& g) { g.falloff += step; };
    case 6: return [=](GalaxyCloud& g) { g.spread += step * 0.1; };
    case 7:
      return [=](GalaxyCloud& g) {
        g.auxA += step;
        g.auxB -= step;
        g.auxC += step;
      };
    case 8: {
      const GalaxyPreset p = kPresets[pick(0, 7)];
      return [=](GalaxyCloud& g) { g.rings = p.rings, g.arms = p.arms, g.twist = p.twist; };
    }
    case 9: case 10: case 15: {
      const int rings = pick(0, 2) ? pick(2, 100) : pick(-3, 1);
      return [=](GalaxyCloud& g) { g.rings = rings; };
    }
    case 11: case 19: {
      const int arms = pick(0, 3) ? pick(1, 12) : pick(13, 300);
      return [=](GalaxyCloud& g) { g.arms = arms; };
    }
    case 12: {
      const int falloff = pick(0, 2) ? pick(-4, 8) : pick(65, 130);
      return [=](GalaxyCloud& g) { g.falloff = falloff; };
    }
    case 13: return [=](GalaxyCloud& g) { g.rings = 707, g.arms = 4; };  // 1,001,112: over capacity
    default: {
      const bool manyArms = pick(0, 1);  // 4 rings of 100,000 arms: exactly 1,000,000
      const int rings = manyArms ? 4 : 706 - pick(0, 1);  // or near capacity at 4 arms
      return [=](GalaxyCloud& g) { g.rings = rings, g.arms = manyArms ? 100000 : 4; };
    }
  }
}

}  // namespace

TEST(PendingPoints, WritesWhatGeneratingAtEveryKeyLeaves) {
  TwoWays galaxies;
  std::mt19937 rng(20240611);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  // Bursts of keys, with F3 among them now and then, each followed by a
  // write() as before a frame; some bursts are empty.
  for (int burst = 0; burst < 30 && !HasFatalFailure(); ++burst) {
    for (int keys = pick(-3, 20); keys > 0 && !HasFatalFailure(); --keys) {
      if (pick(0, 9) == 0) {
        galaxies.hideOrShow();
        continue;
      }
      galaxies.key(randomChange(rng, galaxies.plain()), "a key in burst " + std::to_string(burst));
    }
    galaxies.writeAndCompare("the write after burst " + std::to_string(burst));
  }
}

TEST(PendingPoints, MoreSurvivingGenerationsThanItKeepsAreWrittenOutOnTheWay) {
  TwoWays galaxies;
  galaxies.key([](GalaxyCloud& g) { g.rings = 2; }, "rings 2");
  // At 2 rings a galaxy writes `arms` points: each key below leaves one more
  // point standing than the next, so none is covered.
  for (int arms = PendingPoints::kCapacity + 100; arms >= 1 && !HasFatalFailure(); --arms)
    galaxies.key([=](GalaxyCloud& g) { g.arms = arms; }, "arms " + std::to_string(arms));
  galaxies.writeAndCompare("after more generations than it keeps");
}
