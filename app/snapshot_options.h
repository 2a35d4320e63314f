// galaxy-snapshot's command line.
#pragma once
#include <string>

struct SnapshotOptions {
  int preset = 0;  // 0: the defaults
  int width = 640;
  int height = 480;
  int frames = 0;  // 0: one picture, named as given
  std::string output;
  bool help = false;
};

inline constexpr const char* kSnapshotUsage =
    "usage: galaxy-snapshot [--help] [--preset 1-8] [--size WIDTHxHEIGHT] [--frames N] OUTPUT.png";

// Reads the arguments into options; an empty result, or the one line that
// says which argument is wrong and what it may be.
std::string parseSnapshotOptions(int argc, const char* const* argv, SnapshotOptions& options);
