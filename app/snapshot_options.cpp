// Reading galaxy-snapshot's arguments: each wrong one is named, with what it
// may be, so a script that calls the tool learns what to fix.
#include "app/snapshot_options.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kLargestSide = 8192;  // what a software renderer's pbuffer takes
constexpr int kMostFrames = 9999;   // four digits in the file names
constexpr double kLeastScale = 0.5;
constexpr double kMostScale = 4.0;

// A whole number from first to last, nothing after it.
bool readNumber(const std::string& text, int first, int last, int& value) {
  char rest = 0;
  return std::sscanf(text.c_str(), "%d%c", &value, &rest) == 1 && value >= first && value <= last;
}

std::string readSize(const std::string& text, SnapshotOptions& o) {
  char rest = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &o.width, &o.height, &rest) != 2)
    return "--size: WIDTHxHEIGHT, such as 640x480, not '" + text + "'";
  if (o.width < 1 || o.height < 1) return "--size: at least 1x1, not " + text;
  if (o.width > kLargestSide || o.height > kLargestSide)
    return "--size: at most " + std::to_string(kLargestSide) + "x" + std::to_string(kLargestSide) + ", not " + text;
  return "";
}

std::string readScale(const std::string& text, SnapshotOptions& o) {
  char rest = 0;
  if (std::sscanf(text.c_str(), "%lf%c", &o.scale, &rest) != 1 || !(o.scale >= kLeastScale && o.scale <= kMostScale))
    return "--scale: a number from 0.5 to 4, such as 2 or 1.5, not '" + text + "'";
  return "";
}

// The size and scale together: what the renderer is asked to draw.
std::string checkDeviceSize(const SnapshotOptions& o) {
  const int width = devicePixels(o.width, o.scale), height = devicePixels(o.height, o.scale);
  if (width <= kLargestSide && height <= kLargestSide) return "";
  return "--size times --scale: at most " + std::to_string(kLargestSide) + "x" + std::to_string(kLargestSide) +
         " device pixels, not " + std::to_string(width) + "x" + std::to_string(height);
}

std::string readOption(const std::string& name, const std::string& value, SnapshotOptions& o) {
  if (name == "--scale") return readScale(value, o);
  if (name == "--preset")
    return readNumber(value, 1, 8, o.preset) ? "" : "--preset: a number from 1 to 8, not '" + value + "'";
  if (name == "--frames")
    return readNumber(value, 1, kMostFrames, o.frames)
               ? ""
               : "--frames: a number from 1 to " + std::to_string(kMostFrames) + ", not '" + value + "'";
  return readSize(value, o);
}

}  // namespace

std::string parseSnapshotOptions(int argc, const char* const* argv, SnapshotOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      return "";
    }
    if (arg == "--preset" || arg == "--size" || arg == "--frames" || arg == "--scale") {
      if (i + 1 == argc) return arg + " needs a value (see --help)";
      if (std::string error = readOption(arg, argv[++i], o); !error.empty()) return error;
    } else if (arg.starts_with("-")) {
      return "unknown option " + arg + " (see --help)";
    } else if (!o.output.empty()) {
      return "one OUTPUT.png only, not also " + arg;
    } else {
      o.output = arg;
    }
  }
  if (o.output.empty()) return "no OUTPUT.png given (see --help)";
  return checkDeviceSize(o);
}

int devicePixels(int size, double scale) { return static_cast<int>(std::lround(size * scale)); }
