// A straightforward scalar transcription of the generator, one point and one
// random draw at a time with the rejection loop as written: the baseline the
// project's generate() is measured and checked against, bit for bit.
#pragma once

struct GalaxyCloud;

// Does what GalaxyCloud::generate() does: reseeds Rand15, sets count and
// writes the points, leaving Rand15 where the draws ended.
void referenceGenerate(GalaxyCloud& galaxy);
