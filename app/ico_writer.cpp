// The .ico layout: a directory of images, each a 4-bit bitmap with its
// palette, its colour rows bottom up, then an all-opaque transparency mask.
#include "app/ico_writer.h"

#include <cassert>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// Rows of a bitmap are padded to whole 32-bit words.
uint32_t rowBytes(int width, int bitsPerPixel) { return static_cast<uint32_t>((width * bitsPerPixel + 31) / 32 * 4); }

std::vector<uint8_t> bitmap(const IconImage& icon, int size) {
  const uint32_t colourRow = rowBytes(size, 4), maskRow = rowBytes(size, 1);
  const uint32_t u = static_cast<uint32_t>(size);
  std::vector<uint8_t> out;
  // The header's height counts the colour rows and the mask rows.
  for (uint32_t v : {40u, u, 2 * u}) put32(out, v);
  put16(out, 1);  // planes
  put16(out, 4);  // bits per pixel
  for (uint32_t v : {0u, (colourRow + maskRow) * u, 0u, 0u, 16u, 0u}) put32(out, v);
  for (int i = 0; i < 16; ++i) {
    const uint32_t c = icon.palette[i];
    out.insert(out.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16), 0});  // blue, green, red
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(colourRow, 0);
    for (int x = 0; x < size; ++x) {
      const int index = icon.index(x * icon.width / size, y * icon.height / size);
      row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  out.insert(out.end(), maskRow * u, 0);  // every pixel opaque, as in the picture
  return out;
}

}  // namespace

std::vector<uint8_t> icoFile(const IconImage& icon, std::span<const int> sizes) {
  std::vector<uint8_t> out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<uint32_t>(sizes.size()));
  std::vector<std::vector<uint8_t>> images;
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizes.size());
  for (int size : sizes) {
    assert(size >= 1 && size <= 256 && "icoFile: an icon image is 1 to 256 pixels wide");
    images.push_back(bitmap(icon, size));
    out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));  // 0 stands for 256
    out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));
    out.push_back(16);  // colours
    out.push_back(0);
    put16(out, 1);  // planes
    put16(out, 4);  // bits per pixel
    put32(out, static_cast<uint32_t>(images.back().size()));
    put32(out, offset);
    offset += static_cast<uint32_t>(images.back().size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}
