// The point loop of GalaxyCloud::generate: rings of clusters, each cluster a
// ball of random points pulled towards its centre.
#pragma once

struct GalaxyCloud;

// Writes rings 0 ... rings-1 from the first triple of points on, drawing from
// Rand15 as it stands. The caller has seeded Rand15 and checked capacity.
void writeRings(GalaxyCloud& galaxy);
