// Deferred generation: a stack of the generations that still own points,
// written in one pass of the random stream.
#include "galaxy/pending_points.h"

#include <cassert>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/rand15.h"

void PendingPoints::generateLater(GalaxyCloud& galaxy) {
  assert((empty() || galaxy_ == &galaxy) && "PendingPoints: keep one per galaxy, or write() before noting another");
  const GenerationSize size = generationSize(galaxy.rings, galaxy.arms);
  galaxy.count = size.count;
  if (size.written > 0) {
    // Whatever this one writes over is gone for good.
    while (ownerCount_ > 0 && owners_[ownerCount_ - 1].written <= size.written) --ownerCount_;
    if (ownerCount_ == kCapacity) write(galaxy);
    owners_[ownerCount_++] = {pointParametersOf(galaxy), size.written};
  }
  galaxy_ = &galaxy;
  noted_ = true;
  lastWrites_ = size.written > 0;
}

void PendingPoints::write(GalaxyCloud& galaxy) {
  if (empty()) return;
  assert(galaxy_ == &galaxy && "PendingPoints: write() into the galaxy whose generations were noted");
  const uint32_t lastLeaves = writeSurvivingPoints(galaxy.points, owners_.data(), ownerCount_);
  if (lastWrites_)
    Rand15::setState(lastLeaves);
  else
    Rand15::seed(1);
  ownerCount_ = 0;
  noted_ = false;
}
