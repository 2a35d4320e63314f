// GalaxyCloud: one galaxy's generator parameters and its fixed array of points.
#pragma once
#include <cstdint>

inline constexpr int32_t kMaxPoints = 1'000'000;
inline constexpr double kPi = 3.141592653589793;  // the double nearest pi

// Fields keep this order and these widths: the caption, the controls and the
// renderer all address them by name, and the record is created zero-filled.
struct GalaxyCloud {
  int32_t count{};   // arms * rings * (rings + 1) / 2, or 0 over capacity
  int32_t auxA{};    // shown and adjustable; the generator does not read it
  int32_t rings{};
  double twist{};    // angular start of a ring per unit of radius, radians
  int32_t arms{};
  int32_t falloff{};  // times a cluster offset is scaled by its own length
  double spread{};    // cluster size base: (spread - r) * 0.2
  int32_t auxB{};
  int32_t auxC{};
  // Coordinate triples (thickness, y, x), one per point. Part of the record:
  // 24 MB, so a GalaxyCloud always lives on the heap, never on the stack.
  double points[3 * kMaxPoints]{};

  // Defaults, then generate().
  GalaxyCloud();
  GalaxyCloud(const GalaxyCloud&) = delete;
  GalaxyCloud& operator=(const GalaxyCloud&) = delete;

  // Rebuilds count and points from rings, arms, twist, falloff and spread.
  // Over capacity count becomes 0 and points are left as they were.
  void generate();
  // Stores the three values and regenerates; other parameters keep theirs.
  void applyPreset(int32_t newRings, int32_t newArms, double newTwist);
};

// The number of points a parameter set asks for, computed without overflow
// (rings past 46,340 leave the 32-bit range).
int64_t requestedPointCount(int32_t rings, int32_t arms);

// What generate() makes of a parameter set: the count it sets, and how many
// points it writes from the start of the array (ring i holds i per arm, so
// none with fewer than two rings, without arms, or over capacity).
struct GenerationSize {
  int32_t count;
  int32_t written;
};
GenerationSize generationSize(int32_t rings, int32_t arms);
