// PNG files through libpng: 8-bit RGB pictures and 4-bit palette images.
#include "app/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

// What libpng needs to write one picture; plain data, so nothing with a
// destructor lives across libpng's longjmp on an error.
struct PngLayout {
  int width;
  int height;
  int bitDepth;
  int colourType;
  const png_color* palette;  // or null
  int paletteSize;
  png_bytepp rows;  // packed as the format says, top down
};

char g_pngError[256];

void onPngError(png_structp png, png_const_charp message) {
  std::snprintf(g_pngError, sizeof g_pngError, "%s", message);
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// Returns null on success, else libpng's reason.
const char* writeWithLibpng(FILE* file, const PngLayout& layout) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return "out of memory";
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return g_pngError;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(layout.width), static_cast<png_uint_32>(layout.height),
               layout.bitDepth, layout.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (layout.palette) png_set_PLTE(png, info, layout.palette, layout.paletteSize);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_write_image(png, layout.rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return nullptr;
}

std::string write(const std::string& path, PngLayout layout, std::vector<uint8_t>& packed, size_t rowBytes) {
  std::vector<png_bytep> rows;
  for (int y = 0; y < layout.height; ++y) rows.push_back(&packed[rowBytes * static_cast<size_t>(y)]);
  layout.rows = rows.data();
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return "cannot write " + path + ": " + std::strerror(errno);
  const char* failure = writeWithLibpng(file, layout);
  const bool closed = std::fclose(file) == 0;
  if (failure) return "cannot write " + path + ": " + failure;
  if (!closed) return "cannot write " + path + ": " + std::strerror(errno);
  return "";
}

}  // namespace

std::string writePng(const std::string& path, const RgbImage& image) {
  std::vector<uint8_t> pixels = image.rgb;
  return write(path, {image.width, image.height, 8, PNG_COLOR_TYPE_RGB, nullptr, 0, nullptr}, pixels,
               3 * static_cast<size_t>(image.width));
}

std::string writePalettePng(const std::string& path, int width, int height, const uint32_t* palette,
                            const std::vector<uint8_t>& indices) {
  png_color colours[16];
  for (int i = 0; i < 16; ++i)
    colours[i] = {uint8_t(palette[i] >> 16), uint8_t(palette[i] >> 8), uint8_t(palette[i])};
  const size_t rowBytes = (static_cast<size_t>(width) + 1) / 2;
  std::vector<uint8_t> packed(rowBytes * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {  // two pixels a byte, the left one high
      const uint8_t index = indices[static_cast<size_t>(y * width + x)] & 15;
      packed[rowBytes * static_cast<size_t>(y) + static_cast<size_t>(x / 2)] |= x % 2 ? index : index << 4;
    }
  return write(path, {width, height, 4, PNG_COLOR_TYPE_PALETTE, colours, 16, nullptr}, packed, rowBytes);
}
