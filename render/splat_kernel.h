// SplatKernel: what the driver adds to the pixels around one point, for each
// sub-pixel position of the point, measured from the driver itself.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct SplatKernel {
  // Sub-pixel positions per axis; a point's position is taken to 1/256 of a
  // pixel, as the rasteriser snaps it, and its top bits pick the phase.
  static constexpr int kPhaseBits = 7;
  static constexpr int kPhases = 1 << kPhaseBits;
  float pointSize = 0.0f;  // the size it was measured at
  int left = 0, bottom = 0;  // the block's corner, from the pixel the point lies in
  int width = 0, height = 0;
  // Per phase (y * kPhases + x): the block's rows bottom-up, red, green and
  // blue per pixel, each the 8-bit step one point adds on black.
  std::vector<uint8_t> values;

  bool measured() const { return !values.empty(); }
  int blockSize() const { return width * height * 3; }
  const uint8_t* block(int phaseX, int phaseY) const {
    return values.data() + static_cast<size_t>(phaseY * kPhases + phaseX) * blockSize();
  }
};

// Draws points of pointSize with the current colour, blending and smoothing
// into the back buffer (left for the next frame's clear to wipe) and reads
// them back. Matrices and point size are restored. Empty when the viewport
// has no room for 128 of the grid's cells (at size 5 they are 11 pixels wide).
SplatKernel measureSplatKernel(float pointSize);
