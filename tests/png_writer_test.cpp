// The PNG files the snapshot and icon tools write, read back through libpng:
// the decoded pixels must be the ones given, for RGB and 4-bit palette files.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/png_writer.h"

namespace {

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

Decoded decode(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Decoded out;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGB;
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return {};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

std::string scratch(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

}  // namespace

TEST(PngWriter, RgbPixelsReadBackAsWritten) {
  RgbImage image{7, 5, {}};  // an odd width: rows are not word-aligned
  for (int i = 0; i < 7 * 5 * 3; ++i) image.rgb.push_back(static_cast<uint8_t>(i * 37 + 11));
  const std::string path = scratch("galaxy-png-rgb-test.png");
  ASSERT_EQ(writePng(path, image), "");
  const Decoded back = decode(path);
  EXPECT_EQ(back.width, 7);
  EXPECT_EQ(back.height, 5);
  EXPECT_EQ(back.rgb, image.rgb);
  std::remove(path.c_str());
}

TEST(PngWriter, PaletteIndicesReadBackAsTheirColours) {
  uint32_t palette[16];
  for (uint32_t i = 0; i < 16; ++i) palette[i] = 0x101010u * i + 0x030201u;
  std::vector<uint8_t> indices;
  for (int i = 0; i < 5 * 3; ++i) indices.push_back(static_cast<uint8_t>((i * 7) % 16));  // odd width: a half byte a row
  const std::string path = scratch("galaxy-png-palette-test.png");
  ASSERT_EQ(writePalettePng(path, 5, 3, palette, indices), "");
  const Decoded back = decode(path);
  ASSERT_EQ(back.rgb.size(), indices.size() * 3);
  for (size_t i = 0; i < indices.size(); ++i) {
    const uint32_t c = palette[indices[i]];
    EXPECT_EQ(back.rgb[3 * i], uint8_t(c >> 16)) << "pixel " << i;
    EXPECT_EQ(back.rgb[3 * i + 1], uint8_t(c >> 8)) << "pixel " << i;
    EXPECT_EQ(back.rgb[3 * i + 2], uint8_t(c)) << "pixel " << i;
  }
  std::remove(path.c_str());
}

TEST(PngWriter, AnUnwritablePathIsAClearError) {
  EXPECT_EQ(writePng("/nonexistent-dir/x.png", {1, 1, {0, 0, 0}}),
            "cannot write /nonexistent-dir/x.png: No such file or directory");
}
