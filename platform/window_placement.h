// Where the window goes on the screen: the stored geometry where the work
// area holds it, otherwise moved inside and, if still too large, shrunk.
#pragma once
#include <cmath>
#include <cstdint>

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const ScreenRect&) const = default;
};

// A rectangle stored for a 96-DPI screen, on a screen of that scale: each
// value multiplied and rounded half away from zero.
inline ScreenRect scaledRect(const ScreenRect& stored, double scale) {
  auto times = [scale](int32_t value) { return static_cast<int32_t>(std::lround(value * scale)); };
  return {times(stored.left), times(stored.top), times(stored.width), times(stored.height)};
}

// The frame's rectangle for a window that asks for `wanted` on a screen whose
// work area (the part panels leave free) is `workArea`.
inline ScreenRect fitIntoWorkArea(const ScreenRect& wanted, const ScreenRect& workArea) {
  auto fit = [](int32_t& pos, int32_t& size, int32_t areaPos, int32_t areaSize) {
    const int64_t areaEnd = int64_t{areaPos} + areaSize;
    if (int64_t{pos} + size > areaEnd) pos = static_cast<int32_t>(areaEnd - size);  // move first
    if (pos < areaPos) pos = areaPos;
    if (int64_t{pos} + size > areaEnd) size = static_cast<int32_t>(areaEnd - pos);  // then shrink
  };
  if (workArea.width <= 0 || workArea.height <= 0) return wanted;  // nothing known about the screen
  ScreenRect placed = wanted;
  fit(placed.left, placed.width, workArea.left, workArea.width);
  fit(placed.top, placed.height, workArea.top, workArea.height);
  return placed;
}
