// Generation against its scalar baseline and against the memory floor (a
// memset of the whole point array), at the defaults and at capacity.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "tests/reference/reference_generate.h"
#include "galaxy/galaxy_cloud.h"

namespace {

// range(0) = rings, range(1) = arms, range(2) = falloff.
std::unique_ptr<GalaxyCloud> galaxyFor(const benchmark::State& state) {
  auto galaxy = std::make_unique<GalaxyCloud>();
  galaxy->rings = static_cast<int32_t>(state.range(0));
  galaxy->arms = static_cast<int32_t>(state.range(1));
  galaxy->falloff = static_cast<int32_t>(state.range(2));
  return galaxy;
}

void finish(benchmark::State& state, const GalaxyCloud& galaxy) {
  benchmark::DoNotOptimize(galaxy.points[0]);
  state.counters["count"] = galaxy.count;
}

void generate(benchmark::State& state) {
  auto galaxy = galaxyFor(state);
  for (auto _ : state) {
    galaxy->generate();
    benchmark::ClobberMemory();
  }
  finish(state, *galaxy);
}

void baseline(benchmark::State& state) {
  auto galaxy = galaxyFor(state);
  for (auto _ : state) {
    referenceGenerate(*galaxy);
    benchmark::ClobberMemory();
  }
  finish(state, *galaxy);
}

void memoryFloor(benchmark::State& state) {
  auto galaxy = galaxyFor(state);
  for (auto _ : state) {
    std::memset(galaxy->points, 0, sizeof galaxy->points);
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(galaxy->points[0]);
}

// Defaults (19,800 points written) and the largest accepted four-armed
// galaxy (706 rings, 995,460 points written).
void sizes(benchmark::internal::Benchmark* b) {
  b->Args({100, 4, 2})->Args({706, 4, 2})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(baseline)->Apply(sizes);
BENCHMARK(generate)->Apply(sizes);
BENCHMARK(memoryFloor)->Args({706, 4, 2})->Unit(benchmark::kMillisecond);
// The worst case of an unbounded falloff: a thousand pulls per point at capacity.
BENCHMARK(baseline)->Args({706, 4, 1000})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(generate)->Args({706, 4, 1000})->Unit(benchmark::kMillisecond)->Iterations(2);
