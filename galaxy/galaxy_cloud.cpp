// Construction, capacity rule and presets of GalaxyCloud; the point loop itself
// lives in galaxy_generate.cpp.
#include "galaxy/galaxy_cloud.h"

#include <limits>

#include "galaxy/galaxy_generate.h"
#include "galaxy/rand15.h"

GalaxyCloud::GalaxyCloud() {
  falloff = 2;
  auxA = 64;
  twist = 2.2 * kPi;
  arms = 4;
  rings = 100;
  spread = 1.1;
  auxB = 512;
  auxC = 2;
  generate();
}

int64_t requestedPointCount(int32_t rings, int32_t arms) {
  // Fits int64 for every int32 rings; truncates towards zero like the original.
  const int64_t half = (int64_t{rings} + 1) * rings / 2;
  int64_t total = 0;
  if (__builtin_mul_overflow(int64_t{arms}, half, &total)) {
    const bool negative = (arms < 0) != (half < 0);
    return negative ? std::numeric_limits<int64_t>::min() : std::numeric_limits<int64_t>::max();
  }
  return total;
}

GenerationSize generationSize(int32_t rings, int32_t arms) {
  const int64_t requested = requestedPointCount(rings, arms);
  // A negative arms count never comes from the controls; keep it from
  // wrapping into a bogus positive count all the same.
  if (requested > kMaxPoints || requested < std::numeric_limits<int32_t>::min()) return {0, 0};
  // Within capacity both fit: what is written is less than what is asked for.
  const int64_t written = rings >= 2 && arms >= 1 ? arms * ((int64_t{rings} - 1) * rings / 2) : 0;
  return {static_cast<int32_t>(requested), static_cast<int32_t>(written)};
}

void GalaxyCloud::generate() {
  Rand15::seed(1);
  const GenerationSize size = generationSize(rings, arms);
  count = size.count;
  if (size.written > 0) writeRings(*this);
}

void GalaxyCloud::applyPreset(int32_t newRings, int32_t newArms, double newTwist) {
  rings = newRings;
  arms = newArms;
  twist = newTwist;
  generate();
}
