// galaxy-snapshot: renders the default galaxy or a preset through the real
// window class and drawFrame on a headless EGL context, and writes a PNG;
// or N successive frames, one a tick, as OUTPUT-0001.png, OUTPUT-0002.png...
// Usage: galaxy-snapshot [--preset 1-8] [--size WIDTHxHEIGHT] [--frames N] OUTPUT.png
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/mainview.h"
#include "app/png_writer.h"
#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"

namespace {

struct Options {
  int preset = 0;  // 0: the defaults
  int width = 640;
  int height = 480;
  int frames = 0;  // 0: one picture, named as given
  std::string output;
};

constexpr int kMostFrames = 9999;  // four digits in the file names

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--preset" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%d", &o.preset) != 1 || o.preset < 1 || o.preset > 8) return false;
    } else if (arg == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
      if (o.width < 1 || o.height < 1 || o.width > 8192 || o.height > 8192) return false;
    } else if (arg == "--frames" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%d", &o.frames) != 1 || o.frames < 1 || o.frames > kMostFrames) return false;
    } else if (o.output.empty() && !arg.starts_with("-")) {
      o.output = arg;
    } else {
      return false;
    }
  }
  return !o.output.empty();
}

// OUT.png, frame 7: OUT-0007.png.
std::string framePath(const std::string& output, int frame) {
  const std::filesystem::path path(output);
  char number[16];
  std::snprintf(number, sizeof number, "-%04d", frame);
  return (path.parent_path() / (path.stem().string() + number + path.extension().string())).string();
}

// The picture GL holds, bottom row first, turned into rows top down.
RgbImage readPicture(int width, int height) {
  RgbImage image{width, height, std::vector<uint8_t>(3 * static_cast<size_t>(width) * height)};
  std::vector<uint8_t> bottomUp(image.rgb.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  const size_t row = 3 * static_cast<size_t>(width);
  for (int y = 0; y < height; ++y)
    std::memcpy(&image.rgb[row * static_cast<size_t>(y)], &bottomUp[row * static_cast<size_t>(height - 1 - y)], row);
  return image;
}

int render(const Options& o) {
  NullWindowBackend backend;
  EglBinding binding(EglBinding::Target::Pbuffer, backend);
  usePlatform(backend, binding);
  backend.setClientSize(o.width, o.height);
  Application->Initialize();
  Application->CreateForm(mainWindow);
  if (!mainWindow->renderingReady) {
    std::fprintf(stderr, "galaxy-snapshot: no headless OpenGL context: %s\n", binding.lastError().c_str());
    return 1;
  }
  if (o.preset) {  // the digit key, as a user would press it
    uint16_t key = static_cast<uint16_t>('0' + o.preset);
    mainWindow->FormKeyDown(mainWindow, key, 0);
  }
  std::string error;
  // Each tick draws a frame with drawFrame and moves the camera on, as the
  // viewer's timer does.
  for (int frame = 1; frame <= std::max(o.frames, 1) && error.empty(); ++frame) {
    mainWindow->TimerTimer(mainWindow);
    error = writePng(o.frames ? framePath(o.output, frame) : o.output, readPicture(o.width, o.height));
  }
  mainWindow->Close();
  if (!error.empty()) {
    std::fprintf(stderr, "galaxy-snapshot: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: galaxy-snapshot [--preset 1-8] [--size WIDTHxHEIGHT] [--frames N] OUTPUT.png\n");
    return 2;
  }
  try {
    return render(options);
  } catch (const Exception& e) {
    std::fprintf(stderr, "galaxy-snapshot: %s\n", e.what());
    return 1;
  }
}
