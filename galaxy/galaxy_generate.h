// The point loop of GalaxyCloud::generate: rings of clusters, each cluster a
// ball of random points pulled towards its centre.
#pragma once
#include <cstdint>

struct GalaxyCloud;

// What the point loop reads of a galaxy; the rest of the record it leaves alone.
struct PointParameters {
  double twist;
  double spread;
  int32_t rings;
  int32_t arms;
  int32_t falloff;
};
PointParameters pointParametersOf(const GalaxyCloud& galaxy);

// Writes rings 0 ... rings-1 from the first triple of points on, drawing from
// Rand15 as it stands. The caller has seeded Rand15 and checked capacity.
void writeRings(GalaxyCloud& galaxy);

// A generation kept for later: its parameters and the number of points it
// writes from the start of the array.
struct NotedGeneration {
  PointParameters parameters;
  int32_t written;
};

// Leaves in points what generating these one after another (each from
// seed 1) would: the last writes points [0, written), each earlier one only
// its points past what every later one writes. So `written` must fall
// strictly from first to last and stay above 0. One pass of the random stream
// serves them all, since point k of any generation takes accepted triple k.
// Returns the Rand15 state the last one leaves; Rand15 itself is untouched.
uint32_t writeSurvivingPoints(double* points, const NotedGeneration* generations, int n);
