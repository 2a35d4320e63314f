// Deferred generation near capacity: write() after a burst of keys, against
// one generate() of the same galaxy (generate/706/4/2).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/pending_points.h"

namespace {

// range(0) keys at 4 arms, every other one a twist step, the others taking
// the rings up and down between 700 and 706; the last key leaves 706 rings,
// so write() has one generation's worth of points to place, 995,460.
void writeAfterKeys(benchmark::State& state) {
  auto galaxy = std::make_unique<GalaxyCloud>();
  auto pending = std::make_unique<PendingPoints>();
  galaxy->arms = 4;
  const int keys = static_cast<int>(state.range(0));
  for (auto _ : state) {
    galaxy->twist = 2.2 * kPi;
    for (int later = keys - 1; later >= 0; --later) {  // keys still to come after this one
      if (later % 2)
        galaxy->twist += 0.1;
      else
        galaxy->rings = 700 + std::abs(later / 2 % 12 - 6);
      pending->generateLater(*galaxy);
    }
    pending->write(*galaxy);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(galaxy->points[0]);
}

// A held A key from 706 rings down to 7: every generation keeps the points
// past the next one's, so write() walks 700 generations in one pass.
void writeAfterRingsFall(benchmark::State& state) {
  auto galaxy = std::make_unique<GalaxyCloud>();
  auto pending = std::make_unique<PendingPoints>();
  galaxy->arms = 4;
  for (auto _ : state) {
    for (int rings = 706; rings > 6; --rings) {
      galaxy->rings = rings;
      pending->generateLater(*galaxy);
    }
    pending->write(*galaxy);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(galaxy->points[0]);
}

}  // namespace

BENCHMARK(writeAfterKeys)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(writeAfterRingsFall)->Unit(benchmark::kMillisecond);
