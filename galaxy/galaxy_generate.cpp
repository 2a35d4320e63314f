// The point loop of the generator. All intermediates are doubles, and the
// library is built without fused multiply-add, so the same parameters give
// the same bits on every build.
#include "galaxy/galaxy_generate.h"

#include <cmath>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/rand15.h"

namespace {

constexpr double kInv32767 = 1.0 / 32767.0;

double drawUnit() { return Rand15::next() * kInv32767 * 2.0 - 1.0; }

// Appends n points of one cluster at out and returns the position after them.
double* scatterCluster(double* out, int n, double size, double cx, double cy, int falloff) {
  for (int p = 0; p < n; ++p) {
    double u, v, w, d;
    do {  // rejection sampling of the unit ball; d == 1 is accepted
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

void writeRings(GalaxyCloud& g) {
  double* out = g.points;
  for (int i = 0; i < g.rings; ++i) {
    const double r = (std::cos(static_cast<double>(g.rings - i) * kPi / g.rings) + 1.0) * 0.5;
    double theta = r * g.twist;
    for (int j = 0; j < g.arms; ++j) {
      const double cx = std::sin(theta) * r;
      const double cy = std::cos(theta) * r;
      const double size = (g.spread - r) * 0.2;
      out = scatterCluster(out, i, size, cx, cy, g.falloff);
      theta += 2.0 * kPi / g.arms;
    }
  }
}
