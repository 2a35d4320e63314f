// Prints the digest of the galaxy's points for the defaults and each preset,
// and of the maths functions the generator calls over a sweep of arguments.
// Built twice, natively from the Linux build's generator and as wasm, it
// shows whether the browser's galaxy is bit for bit the desktop's.
// Usage: points_digest [--bits sin|cos|sqrt|points]: with --bits, the bits
// of every result of that function, or of every point coordinate of all nine
// galaxies, one 16-digit hexadecimal number a line.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "galaxy/galaxy_cloud.h"
#include "galaxy/presets.h"

namespace {

struct Digest {
  uint64_t value = 1469598103934665603ull;  // FNV-1a, 64 bits
  void add(double x) {
    unsigned char bytes[sizeof x];
    std::memcpy(bytes, &x, sizeof x);
    for (unsigned char b : bytes) value = (value ^ b) * 1099511628211ull;
  }
};

void printBits(double x) {
  uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof x);
  std::printf("%016llx\n", static_cast<unsigned long long>(bits));
}

void printGalaxy(const char* name, const GalaxyCloud& galaxy, bool bits) {
  Digest digest;
  const int32_t written = generationSize(galaxy.rings, galaxy.arms).written;
  for (int64_t k = 0; k < int64_t{written} * 3; ++k) bits ? printBits(galaxy.points[k]) : digest.add(galaxy.points[k]);
  if (!bits)
    std::printf("%s count %d digest %016llx\n", name, galaxy.count, static_cast<unsigned long long>(digest.value));
}

void printGalaxies(bool bits) {
  printGalaxy("default", *std::make_unique<GalaxyCloud>(), bits);
  for (size_t i = 0; i < kPresets.size(); ++i) {
    auto galaxy = std::make_unique<GalaxyCloud>();
    galaxy->applyPreset(kPresets[i].rings, kPresets[i].arms, kPresets[i].twist);
    printGalaxy(("preset-" + std::to_string(i + 1)).c_str(), *galaxy, bits);
  }
}

double apply(const std::string& function, double x) {
  if (function == "sin") return std::sin(x);
  if (function == "cos") return std::cos(x);
  return std::sqrt(x);
}

// The generator's arguments: angles up to a few hundred radians, and
// squared lengths; a fine sweep over both ranges.
double argument(const std::string& function, int k) { return function == "sqrt" ? k * 1e-4 : k * 3.7e-4; }
constexpr int kArguments = 1'000'000;

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--bits") == 0) {
    if (std::strcmp(argv[2], "points") == 0) return printGalaxies(true), 0;
    for (int k = 0; k < kArguments; ++k) printBits(apply(argv[2], argument(argv[2], k)));
    return 0;
  }
  printGalaxies(false);
  for (const char* function : {"sin", "cos", "sqrt"}) {
    Digest digest;
    for (int k = 0; k < kArguments; ++k) digest.add(apply(function, argument(function, k)));
    std::printf("%s digest %016llx\n", function, static_cast<unsigned long long>(digest.value));
  }
  return 0;
}
