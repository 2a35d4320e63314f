// Where the generator puts its clusters: rings with cosine spacing, each with
// `arms` clusters spaced evenly and its start twisted by its radius.
#pragma once
#include <cmath>

#include "galaxy/galaxy_cloud.h"

struct Cluster {
  int points;  // ring i carries i points per cluster
  double size;  // (spread - r) * 0.2; negative mirrors the offsets
  double cx;
  double cy;
};

// Calls visit(cluster) for ring 0 ... rings-1 and, within a ring, arm 0 ...
// arms-1: the order the points are written in. Built without fused
// multiply-add wherever it is used, like the rest of the generator.
template <class Visit>
void forEachCluster(const GalaxyCloud& g, Visit&& visit) {
  for (int i = 0; i < g.rings; ++i) {
    const double r = (std::cos(static_cast<double>(g.rings - i) * kPi / g.rings) + 1.0) * 0.5;
    double theta = r * g.twist;
    for (int j = 0; j < g.arms; ++j) {
      visit(Cluster{i, (g.spread - r) * 0.2, std::sin(theta) * r, std::cos(theta) * r});
      theta += 2.0 * kPi / g.arms;
    }
  }
}
