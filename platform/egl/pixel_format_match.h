// Picks the GL configs that best fit a pixel-format request, closest first,
// the way a pixel-format chooser ranks its formats.
#pragma once
#include <vector>

#include "platform/gl_binding.h"

struct ConfigTraits {
  int red = 0, green = 0, blue = 0, alpha = 0;
  int depth = 0, stencil = 0;
  unsigned long nativeVisual = 0;  // the X11 visual a window of this config needs
};

// Indices into `configs`, best first. Only configs whose native visual is
// `windowVisual` can draw into that window; 0 means any will do. Ranked by
// colour bits (too few counts most), then depth, alpha and stencil bits.
std::vector<int> rankConfigs(const std::vector<ConfigTraits>& configs, const PIXELFORMATDESCRIPTOR& request,
                             unsigned long windowVisual);
