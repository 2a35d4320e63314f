// The Windows program's icon file, written at build time from the window's
// picture: 16, 32, 48 and 256 pixels, for every place and DPI Windows shows it.
// Usage: galaxy-ico-tool OUTPUT.ico
#include <cstdio>

#include "app/ico_writer.h"
#include "app/main_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: galaxy-ico-tool OUTPUT.ico\n");
    return 2;
  }
  constexpr int kSizes[] = {16, 32, 48, 256};
  const std::vector<uint8_t> file = icoFile(mainIcon(), kSizes);
  FILE* out = std::fopen(argv[1], "wb");
  const bool written = out && std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (!out || std::fclose(out) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
