// galaxy-snapshot: renders the default galaxy or a preset through the real
// window class and drawFrame on a headless EGL context, and writes a PNG;
// or N successive frames, one a tick, as OUTPUT-0001.png, OUTPUT-0002.png...
// Usage: galaxy-snapshot [--help] [--preset 1-8] [--size WIDTHxHEIGHT] [--scale S] [--frames N] OUTPUT.png
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/mainview.h"
#include "app/png_writer.h"
#include "app/snapshot_options.h"
#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"

namespace {

constexpr const char* kHelp =
    "Renders the viewer's first frame of the default galaxy, or of a preset, to a PNG file.\n"
    "  --preset 1-8        load a preset first, as its digit key does\n"
    "  --size WxH          the window's client area (default 640x480, at most 8192x8192)\n"
    "  --scale S           as on a screen scaled by S (0.5-4): the picture is S times\n"
    "                      --size, with dots S times larger, as the viewer draws there\n"
    "  --frames N          N successive ticks, written as OUTPUT-0001.png ... (at most 9999)\n"
    "  --help              this text\n";

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

int render(const SnapshotOptions& o) {
  NullWindowBackend backend;
  EglBinding binding(EglBinding::Target::Pbuffer, backend);
  usePlatform(backend, binding);
  const int width = devicePixels(o.width, o.scale), height = devicePixels(o.height, o.scale);
  backend.setClientSize(width, height);
  backend.setScale(o.scale);
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
    error = writePng(o.frames ? framePath(o.output, frame) : o.output, readPicture(width, height));
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
  SnapshotOptions options;
  const std::string error = parseSnapshotOptions(argc, argv, options);
  if (options.help) {
    std::printf("%s\n%s", kSnapshotUsage, kHelp);
    return 0;
  }
  if (!error.empty()) {
    std::fprintf(stderr, "galaxy-snapshot: %s\n", error.c_str());
    return 2;
  }
  try {
    return render(options);
  } catch (const Exception& e) {
    std::fprintf(stderr, "galaxy-snapshot: %s\n", e.what());
    return 1;
  }
}
