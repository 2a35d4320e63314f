// galaxy-snapshot: renders the default galaxy or a preset through the real
// window class and drawFrame on a headless EGL context, and writes a PNG.
// Usage: galaxy-snapshot [--preset 1-8] [--size WIDTHxHEIGHT] OUTPUT.png
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/mainview.h"
#include "app/png_writer.h"
#include "platform/application.h"
#include "platform/egl_binding.h"
#include "platform/null_window.h"
#include "platform/platform.h"

namespace {

struct Options {
  int preset = 0;  // 0: the defaults
  int width = 640;
  int height = 480;
  std::string output;
};

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--preset" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%d", &o.preset) != 1 || o.preset < 1 || o.preset > 8) return false;
    } else if (arg == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &o.width, &o.height) != 2) return false;
      if (o.width < 1 || o.height < 1 || o.width > 8192 || o.height > 8192) return false;
    } else if (o.output.empty() && !arg.starts_with("-")) {
      o.output = arg;
    } else {
      return false;
    }
  }
  return !o.output.empty();
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
  mainWindow->TimerTimer(mainWindow);  // one frame, drawn by drawFrame
  const std::string error = writePng(o.output, readPicture(o.width, o.height));
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
    std::fprintf(stderr, "usage: galaxy-snapshot [--preset 1-8] [--size WIDTHxHEIGHT] OUTPUT.png\n");
    return 2;
  }
  try {
    return render(options);
  } catch (const Exception& e) {
    std::fprintf(stderr, "galaxy-snapshot: %s\n", e.what());
    return 1;
  }
}
