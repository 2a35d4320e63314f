// Generation time at the defaults and at the largest accepted four-armed galaxy.
#include <benchmark/benchmark.h>

#include <memory>

#include "galaxy/galaxy_cloud.h"

namespace {

void generateWithRings(benchmark::State& state) {
  auto galaxy = std::make_unique<GalaxyCloud>();
  galaxy->rings = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    galaxy->generate();
    benchmark::DoNotOptimize(galaxy->points[0]);
  }
  state.counters["points"] = static_cast<double>(galaxy->count);
}

}  // namespace

// 100 rings: the defaults (19,800 points written); 706 rings: 995,460 points.
BENCHMARK(generateWithRings)->Arg(100)->Arg(706)->Unit(benchmark::kMillisecond);

