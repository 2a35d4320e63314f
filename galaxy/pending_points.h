// Generations noted at each parameter key and written in one go before the
// next frame: of a burst of keys, only the points that last are computed.
#pragma once
#include <array>

#include "galaxy/galaxy_generate.h"

struct GalaxyCloud;

// Generations whose points are written later, and only where they last.
// One per galaxy: what it notes of a galaxy it writes into that galaxy.
class PendingPoints {
 public:
  // Generations kept before write() has to write out those it has: enough
  // for a held key to run the largest galaxy down ring by ring.
  static constexpr int kCapacity = 1024;

  // Sets galaxy.count at once, as galaxy.generate() would from its current
  // parameters, and notes the generation; its points come with write().
  void generateLater(GalaxyCloud& galaxy);
  // Writes what the noted generations leave in the array. Afterwards points
  // and Rand15 are exactly what generate() at each generateLater() would have
  // left; count is not touched (F3 may have changed it since).
  void write(GalaxyCloud& galaxy);
  // Nothing noted since the last write().
  bool empty() const { return !noted_; }

 private:
  // The generations that still own points, oldest first: each writes fewer
  // than the one before it, and keeps its points past what the next writes.
  std::array<NotedGeneration, kCapacity> owners_;
  int ownerCount_ = 0;
  bool noted_ = false;
  bool lastWrites_ = false;  // else the last one left Rand15 just seeded
  const GalaxyCloud* galaxy_ = nullptr;
};
