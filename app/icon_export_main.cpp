// galaxy-icon: writes the application icon for the desktop, as the 32 x 32,
// 16-colour picture the window shows and a 256 x 256 enlargement of it.
// Usage: galaxy-icon OUTPUT_DIRECTORY
#include <cstdio>
#include <string>

#include "app/main_icon.h"
#include "app/png_writer.h"

namespace {

std::string writeSmall(const IconImage& icon, const std::string& path) {
  std::vector<uint8_t> indices;
  for (int y = 0; y < icon.height; ++y)
    for (int x = 0; x < icon.width; ++x) indices.push_back(static_cast<uint8_t>(icon.index(x, y)));
  return writePalettePng(path, icon.width, icon.height, icon.palette, indices);
}

// Each icon pixel becomes a square of scale x scale, so the design stays crisp.
std::string writeEnlarged(const IconImage& icon, int scale, const std::string& path) {
  RgbImage image{icon.width * scale, icon.height * scale, {}};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint32_t c = icon.colour(x / scale, y / scale);
      image.rgb.insert(image.rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    }
  return writePng(path, image);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: galaxy-icon OUTPUT_DIRECTORY\n");
    return 2;
  }
  const std::string dir = argv[1];
  const IconImage icon = mainIcon();
  for (const std::string& error : {writeSmall(icon, dir + "/galaxy-32.png"), writeEnlarged(icon, 8, dir + "/galaxy-256.png")})
    if (!error.empty()) {
      std::fprintf(stderr, "galaxy-icon: %s\n", error.c_str());
      return 1;
    }
  return 0;
}
