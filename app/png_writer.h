// Writing PNG files: 8-bit RGB pictures and 16-colour (4-bit) palette images.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top down, 3 bytes a pixel
};

// Returns an empty string on success, else what went wrong.
std::string writePng(const std::string& path, const RgbImage& image);

// palette: 16 colours as 0xRRGGBB; indices: one palette index (0-15) per
// pixel, rows top down.
std::string writePalettePng(const std::string& path, int width, int height, const uint32_t* palette,
                            const std::vector<uint8_t>& indices);
