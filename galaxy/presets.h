// The eight galaxy presets loaded by the digit keys 1 to 8.
#pragma once
#include <array>
#include <cstdint>

#include "galaxy/galaxy_cloud.h"

struct GalaxyPreset {
  int32_t rings;
  int32_t arms;
  double twist;  // a factor times the double nearest pi
};

inline constexpr std::array<GalaxyPreset, 8> kPresets{{
    {50, 4, 2.2 * kPi},
    {60, 2, 1.667 * kPi},
    {50, 4, kPi},
    {50, 3, kPi},
    {50, 4, 1.15 * kPi},
    {55, 3, 1.333 * kPi},
    {155, 3, 1.333 * kPi},
    {50, 4, 39 * kPi},
}};
