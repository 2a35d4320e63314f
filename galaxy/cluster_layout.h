// Where the generator puts its clusters: rings with cosine spacing, each with
// `arms` clusters spaced evenly and its start twisted by its radius.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/galaxy_generate.h"

struct Cluster {
  int points;  // ring i carries i points per cluster; fewer where a range cuts it
  double size;  // (spread - r) * 0.2; negative mirrors the offsets
  double cx;
  double cy;
};

// Calls visit(cluster) for the clusters holding points [from, to) of the
// galaxy p makes, in the order the points are written: ring 0 ... rings-1
// and, within a ring, arm 0 ... arms-1; a cluster the range cuts comes with
// its points inside the range only. Theta is summed arm by arm as the full
// walk sums it, so a cluster lands on the same bits wherever a range starts.
// Built without fused multiply-add wherever it is used, like the rest of the
// generator.
template <class Visit>
void forEachClusterBetween(const PointParameters& p, int64_t from, int64_t to, Visit&& visit) {
  int64_t start = 0;  // the first point of the cluster at hand
  for (int i = 0; i < p.rings && start < to; ++i) {
    const int64_t ringEnd = start + int64_t{i} * p.arms;
    if (ringEnd <= from) {  // ring 0, and every ring before the range
      start = ringEnd;
      continue;
    }
    const double r = (std::cos(static_cast<double>(p.rings - i) * kPi / p.rings) + 1.0) * 0.5;
    double theta = r * p.twist;
    for (int j = 0; j < p.arms && start < to; ++j, start += i) {
      const int64_t first = std::max(start, from), end = std::min(start + i, to);
      if (first < end)
        visit(Cluster{static_cast<int>(end - first), (p.spread - r) * 0.2, std::sin(theta) * r, std::cos(theta) * r});
      theta += 2.0 * kPi / p.arms;
    }
  }
}

// All of g's clusters, in the order their points are written.
template <class Visit>
void forEachCluster(const GalaxyCloud& g, Visit&& visit) {
  forEachClusterBetween(pointParametersOf(g), 0, std::numeric_limits<int64_t>::max(), visit);
}
