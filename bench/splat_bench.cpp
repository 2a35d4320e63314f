// One frame's drawing on each path, on a headless software context (Mesa
// llvmpipe) at 815 x 713: the driver's own points against splatting.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/mainview.h"
#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"
#include "render/draw_frame.h"
#include "render/draw_path.h"
#include "render/render_path.h"
#include "render/splat_kernel.h"

namespace {

// A window with the splatting path, holding a galaxy of 995,460 points
// (706 rings of 4 arms) of which the first range(0) are drawn: the count is
// set past the million a galaxy may have, to reach the driver's cost for
// every point generated.
struct SplatWindow {
  SplatWindow() {
    setenv("GALAXY_TEST_DRAW_PATH", "splat", 1);
    usePlatform(backend, binding);
    backend.setClientSize(815, 713);
    Application->CreateForm(mainWindow);
    unsetenv("GALAXY_TEST_DRAW_PATH");
    mainWindow->galaxy.rings = 706;
    mainWindow->galaxy.arms = 4;
    mainWindow->galaxy.generate();
  }
  ~SplatWindow() {
    mainWindow->Close();
    Application->DestroyForms();
    mainWindow = nullptr;
    useDesktopPlatform();
  }
  TViewPort& window(int pointsDrawn) {
    mainWindow->galaxy.count = 3 * pointsDrawn;
    return *mainWindow;
  }
  NullWindowBackend backend;
  EglBinding binding{EglBinding::Target::Pbuffer, backend};
};

void driverPoints(benchmark::State& state) {
  SplatWindow headless;
  TViewPort& w = headless.window(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    drawDriverPoints(w.view, w.galaxy);
    advanceCamera(w.view);
    glFinish();
  }
  state.counters["points"] = static_cast<double>(state.range(0));
}

void splatting(benchmark::State& state) {
  SplatWindow headless;
  TViewPort& w = headless.window(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    drawFrame(w.view, w.galaxy, [] { glFinish(); });
  }
  state.counters["points"] = static_cast<double>(state.range(0));
}

// What the window's start (and a change of scale) spends measuring the point.
void measuringThePoint(benchmark::State& state) {
  SplatWindow headless;
  for (auto _ : state) benchmark::DoNotOptimize(measureSplatKernel(kDotSize).values.data());
}

}  // namespace

BENCHMARK(measuringThePoint)->Unit(benchmark::kMillisecond);
BENCHMARK(driverPoints)->Arg(20200)->Arg(333334)->Arg(995460)->Unit(benchmark::kMillisecond);
BENCHMARK(splatting)->Arg(20200)->Arg(333334)->Arg(995460)->Unit(benchmark::kMillisecond);
