// galaxy-snapshot's command line.
#pragma once
#include <string>

struct SnapshotOptions {
  int preset = 0;  // 0: the defaults
  int width = 640;
  int height = 480;
  int frames = 0;  // 0: one picture, named as given
  double scale = 1.0;  // device pixels per pixel of --size, as a scaled screen has them
  std::string output;
  bool help = false;
};

inline constexpr const char* kSnapshotUsage =
    "usage: galaxy-snapshot [--help] [--preset 1-8] [--size WIDTHxHEIGHT] [--scale S] [--frames N] OUTPUT.png";

// Reads the arguments into options; an empty result, or the one line that
// says which argument is wrong and what it may be.
std::string parseSnapshotOptions(int argc, const char* const* argv, SnapshotOptions& options);

// The picture's size in device pixels: --size times --scale, rounded.
int devicePixels(int size, double scale);
