// The point loop of the generator, in batches.
//
// The random stream is one sequence of triples for the whole generation, and
// rejection only filters it. So triples are produced a chunk at a time, with
// eight independent LCG lanes per coordinate (jump-ahead constants instead of
// one long dependency chain), tested without branches and compacted; then the
// accepted offsets are pulled towards their centre, and the clusters consume
// them in order. Every value is computed with the same operations in the same
// order as the one-at-a-time algorithm, and the library is built without
// fused multiply-add, so the points are the same to the last bit.
//
// Point k of every generation takes accepted triple k of that one stream, so
// a range of a galaxy's points can be written on its own, going on from where
// the stream stands: one pass then serves a whole burst of generations.
#include "galaxy/galaxy_generate.h"

#include <cmath>
#include <cstdint>

#include "galaxy/cluster_layout.h"
#include "galaxy/galaxy_cloud.h"
#include "galaxy/rand15.h"

// Hot loops get an AVX2 variant chosen at load time where the CPU has it;
// AVX2 brings wider vectors, not fused multiply-add.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(GALAXY_BASELINE_ISA_ONLY)
#define GALAXY_HOT __attribute__((target_clones("avx2", "default")))
#else
#define GALAXY_HOT
#endif

namespace {

constexpr int kLanes = 8;       // independent generators per coordinate
constexpr int kChunk = 1024;    // triples per batch, a multiple of kLanes
constexpr double kInv32767 = 1.0 / 32767.0;

// x -> mul * x + add (mod 2^32): `steps` steps of the recurrence at once.
struct Jump {
  uint32_t mul = 1;
  uint32_t add = 0;
  constexpr uint32_t apply(uint32_t x) const { return mul * x + add; }
};

constexpr Jump jumpOf(uint64_t steps) {
  Jump result, base{Rand15::kMultiplier, Rand15::kIncrement};
  for (; steps; steps >>= 1) {
    if (steps & 1) result = {result.mul * base.mul, result.add * base.mul + base.add};
    base = {base.mul * base.mul, base.add * base.mul + base.add};
  }
  return result;
}

// One batch step: each lane moves on by kLanes triples.
constexpr Jump kLaneStride = jumpOf(3 * kLanes);

// The output is at most 32767: converted as a signed value, which vectors do
// directly, to the same double.
double unitOf(uint32_t state) { return static_cast<int32_t>(Rand15::output(state)) * kInv32767 * 2.0 - 1.0; }

struct Lanes {
  uint32_t x[kLanes], y[kLanes], z[kLanes];  // states that yield the draws of one triple each
};

// One chunk of the stream: kChunk triples, their squared lengths, and the
// positions of those inside the unit ball, in order.
struct Chunk {
  alignas(64) double u[kChunk], v[kChunk], w[kChunk], d[kChunk];
  uint16_t inside[kChunk];
  int insideCount = 0;
};

// Draws kChunk triples into the chunk.
GALAXY_HOT void drawTriples(Lanes& lanes, Chunk& c) {
  for (int base = 0; base < kChunk; base += kLanes) {
    for (int l = 0; l < kLanes; ++l) {
      const double a = unitOf(lanes.x[l]), b = unitOf(lanes.y[l]), e = unitOf(lanes.z[l]);
      c.u[base + l] = a;
      c.v[base + l] = b;
      c.w[base + l] = e;
      c.d[base + l] = a * a + b * b + e * e;
      lanes.x[l] = kLaneStride.apply(lanes.x[l]);
      lanes.y[l] = kLaneStride.apply(lanes.y[l]);
      lanes.z[l] = kLaneStride.apply(lanes.z[l]);
    }
  }
}

// Rejection sampling of the unit ball (d == 1 accepted), without branches:
// every position is written, and the write index moves on only for a keeper.
void findInside(Chunk& c) {
  int kept = 0;
  for (int t = 0; t < kChunk; ++t) {
    c.inside[kept] = static_cast<uint16_t>(t);
    kept += c.d[t] <= 1.0;
  }
  c.insideCount = kept;
}

// A long pull (a large falloff) runs four points side by side in a vector:
// the products of one point form a chain, and four chains keep the
// multipliers busy. Element-wise IEEE products, the same bits as one by one.
using Vec4 = double __attribute__((vector_size(32)));
constexpr int kShortPull = 64;

bool allZero(const Vec4& u, const Vec4& v, const Vec4& w) {
  const Vec4 zero{};
  for (int k = 0; k < 4; ++k)
    if (u[k] != zero[k] || v[k] != zero[k] || w[k] != zero[k]) return false;
  return true;
}

// Once all offsets are exactly zero, further products cannot change a bit.
void pullLong(Vec4& u, Vec4& v, Vec4& w, const Vec4& s, int falloff) {
  for (int f = 0; f < falloff; ++f) {
    u *= s;
    v *= s;
    w *= s;
    if (f % kShortPull == kShortPull - 1 && allZero(u, v, w)) return;
  }
}

void storePoint(double* out, double u, double v, double w, double size, double cx, double cy) {
  out[0] = w * size;
  out[1] = v * size + cy;
  out[2] = u * size + cx;
}

// Places n points of one cluster from the accepted triples listed at inside.
// Each offset is multiplied by s = sqrt(d) `falloff` times.
GALAXY_HOT double* placeCluster(double* out, const Chunk& c, const uint16_t* inside, int n, int falloff,
                                double size, double cx, double cy) {
  if (falloff <= kShortPull) {
    for (int p = 0; p < n; ++p) {
      const int t = inside[p];
      double u = c.u[t], v = c.v[t], w = c.w[t];
      const double s = std::sqrt(c.d[t]);
      for (int f = 0; f < falloff; ++f) {
        u *= s;
        v *= s;
        w *= s;
      }
      storePoint(out + 3 * p, u, v, w, size, cx, cy);
    }
    return out + 3 * n;
  }
  for (int first = 0; first < n; first += 4) {
    const int m = n - first < 4 ? n - first : 4;
    Vec4 u, v, w, s;
    for (int k = 0; k < 4; ++k) {
      const int t = inside[first + (k < m ? k : m - 1)];  // a short group repeats its last point
      u[k] = c.u[t];
      v[k] = c.v[t];
      w[k] = c.w[t];
      s[k] = std::sqrt(c.d[t]);
    }
    pullLong(u, v, w, s, falloff);
    for (int k = 0; k < m; ++k) storePoint(out + 3 * (first + k), u[k], v[k], w[k], size, cx, cy);
  }
  return out + 3 * n;
}

// The accepted triples of the random stream, in stream order.
class TripleStream {
 public:
  explicit TripleStream(uint32_t start) : start_(start) {
    for (int l = 0; l < kLanes; ++l) {
      lanes_.x[l] = jumpOf(3 * l + 1).apply(start);
      lanes_.y[l] = jumpOf(3 * l + 2).apply(start);
      lanes_.z[l] = jumpOf(3 * l + 3).apply(start);
    }
  }

  // Up to `wanted` accepted triples, at least one, as positions in chunk().
  int take(int wanted, const uint16_t*& inside) {
    while (next_ == chunk_.insideCount) refill();
    const int n = wanted < chunk_.insideCount - next_ ? wanted : chunk_.insideCount - next_;
    inside = chunk_.inside + next_;
    next_ += n;
    return n;
  }
  const Chunk& chunk() const { return chunk_; }

  // The Rand15 state after the last triple taken: where the one-at-a-time
  // algorithm leaves it.
  uint32_t stateAfterTaken() const {
    if (triplesDrawn_ == 0) return start_;
    const uint64_t triple = triplesDrawn_ - kChunk + chunk_.inside[next_ - 1];
    return jumpOf(3 * triple + 3).apply(start_);
  }

 private:
  void refill() {
    drawTriples(lanes_, chunk_);
    findInside(chunk_);
    triplesDrawn_ += kChunk;
    next_ = 0;
  }

  uint32_t start_;
  Lanes lanes_{};
  uint64_t triplesDrawn_ = 0;
  int next_ = 0;
  Chunk chunk_;
};

// Points [from, to) of the galaxy p makes, from out on, each taking the next
// accepted triple of the stream.
void writeBetween(double* out, TripleStream& triples, const PointParameters& p, int64_t from, int64_t to) {
  forEachClusterBetween(p, from, to, [&](const Cluster& c) {
    for (int left = c.points; left > 0;) {
      const uint16_t* inside;
      const int n = triples.take(left, inside);
      out = placeCluster(out, triples.chunk(), inside, n, p.falloff, c.size, c.cx, c.cy);
      left -= n;
    }
  });
}

}  // namespace

PointParameters pointParametersOf(const GalaxyCloud& g) {
  return {.twist = g.twist, .spread = g.spread, .rings = g.rings, .arms = g.arms, .falloff = g.falloff};
}

void writeRings(GalaxyCloud& g) {
  TripleStream triples(Rand15::state());
  writeBetween(g.points, triples, pointParametersOf(g), 0, INT64_MAX);
  Rand15::setState(triples.stateAfterTaken());
}

uint32_t writeSurvivingPoints(double* points, const NotedGeneration* generations, int n) {
  constexpr uint32_t kSeeded = Rand15::step(1);  // where seed(1) leaves the state
  TripleStream triples(kSeeded);
  uint32_t lastLeaves = kSeeded;
  int64_t from = 0;
  // Newest first: its points start the array, and each older one goes on
  // where the stream and the array stand.
  for (int k = n - 1; k >= 0; --k) {
    writeBetween(points + 3 * from, triples, generations[k].parameters, from, generations[k].written);
    if (k == n - 1) lastLeaves = triples.stateAfterTaken();
    from = generations[k].written;
  }
  return lastLeaves;
}
