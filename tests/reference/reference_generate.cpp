// The generator exactly as its algorithm reads, kept as the baseline.
#include "tests/reference/reference_generate.h"

#include <cmath>

#include "galaxy/cluster_layout.h"
#include "galaxy/galaxy_cloud.h"
#include "galaxy/rand15.h"

namespace {

double drawUnit() { return Rand15::next() * (1.0 / 32767.0) * 2.0 - 1.0; }

double* scatterCluster(double* out, int n, double size, double cx, double cy, int falloff) {
  for (int p = 0; p < n; ++p) {
    double u, v, w, d;
    do {
      u = drawUnit();
      v = drawUnit();
      w = drawUnit();
      d = u * u + v * v + w * w;
    } while (d > 1.0);
    const double s = std::sqrt(d);
    for (int f = 0; f < falloff; ++f) {
      u *= s;
      v *= s;
      w *= s;
    }
    *out++ = w * size;
    *out++ = v * size + cy;
    *out++ = u * size + cx;
  }
  return out;
}

}  // namespace

void referenceGenerate(GalaxyCloud& g) {
  Rand15::seed(1);
  const int64_t requested = requestedPointCount(g.rings, g.arms);
  if (requested > kMaxPoints || requested < INT32_MIN) {
    g.count = 0;
    return;
  }
  g.count = static_cast<int32_t>(requested);
  double* out = g.points;
  forEachCluster(g, [&](const Cluster& c) { out = scatterCluster(out, c.points, c.size, c.cx, c.cy, g.falloff); });
}
