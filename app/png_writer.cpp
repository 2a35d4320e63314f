// A small PNG encoder over zlib: signature, IHDR, optional PLTE, one IDAT, IEND.
#include "app/png_writer.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

void putBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void putChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  putBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// Each row of the raw picture gets filter byte 0 (none) in front.
std::string encode(const std::string& path, int width, int height, uint8_t bitDepth, uint8_t colourType,
                   const std::vector<uint8_t>& palette, const std::vector<uint8_t>& filteredRows) {
  uLongf packedSize = compressBound(static_cast<uLong>(filteredRows.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, filteredRows.data(), static_cast<uLong>(filteredRows.size()), 9) != Z_OK)
    return "cannot compress the picture";
  packed.resize(packedSize);

  std::vector<uint8_t> header;
  putBigEndian(header, static_cast<uint32_t>(width));
  putBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});

  std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  putChunk(file, "IHDR", header);
  if (!palette.empty()) putChunk(file, "PLTE", palette);
  putChunk(file, "IDAT", packed);
  putChunk(file, "IEND", {});

  std::ofstream stream(path, std::ios::binary);
  stream.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  stream.close();
  if (!stream) return "cannot write " + path + ": " + std::strerror(errno);
  return "";
}

}  // namespace

std::string writePng(const std::string& path, const RgbImage& image) {
  const size_t rowBytes = 3 * static_cast<size_t>(image.width);
  std::vector<uint8_t> rows;
  rows.reserve((rowBytes + 1) * static_cast<size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);
    const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(y));
    rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }
  return encode(path, image.width, image.height, 8, 2, {}, rows);
}

std::string writePalettePng(const std::string& path, int width, int height, const uint32_t* palette,
                            const std::vector<uint8_t>& indices) {
  std::vector<uint8_t> colours;
  for (int i = 0; i < 16; ++i) {
    const uint32_t c = palette[i];
    colours.insert(colours.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  }
  std::vector<uint8_t> rows;
  for (int y = 0; y < height; ++y) {
    rows.push_back(0);
    for (int x = 0; x < width; x += 2) {  // two pixels a byte, the left one high
      const uint8_t left = indices[static_cast<size_t>(y * width + x)];
      const uint8_t right = x + 1 < width ? indices[static_cast<size_t>(y * width + x + 1)] : 0;
      rows.push_back(static_cast<uint8_t>(left << 4 | (right & 15)));
    }
  }
  return encode(path, width, height, 4, 3, colours, rows);
}
