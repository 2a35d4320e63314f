// The ranking behind ChoosePixelFormat: lexicographic on what is missing,
// then on what is more than asked.
#include "platform/egl/pixel_format_match.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

int shortOf(int have, int want) { return std::max(0, want - have); }
int overOf(int have, int want) { return std::max(0, have - want); }

std::array<int, 6> distance(const ConfigTraits& c, const PIXELFORMATDESCRIPTOR& request) {
  const int colour = c.red + c.green + c.blue;
  return {shortOf(colour, request.cColorBits),         shortOf(c.depth, request.cDepthBits),
          overOf(colour, request.cColorBits),          std::abs(c.alpha - request.cAlphaBits),
          overOf(c.depth, request.cDepthBits),         std::abs(c.stencil - request.cStencilBits)};
}

}  // namespace

std::vector<int> rankConfigs(const std::vector<ConfigTraits>& configs, const PIXELFORMATDESCRIPTOR& request,
                             unsigned long windowVisual) {
  std::vector<int> ranked;
  for (int i = 0; i < static_cast<int>(configs.size()); ++i)
    if (windowVisual == 0 || configs[static_cast<size_t>(i)].nativeVisual == windowVisual) ranked.push_back(i);
  std::stable_sort(ranked.begin(), ranked.end(), [&](int a, int b) {
    return distance(configs[static_cast<size_t>(a)], request) < distance(configs[static_cast<size_t>(b)], request);
  });
  return ranked;
}
