// Start-up to the first frame and the time of one frame, on a headless
// software context (Mesa llvmpipe) through the real window class.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "app/mainview.h"
#include "platform/forms/application.h"
#include "platform/egl/egl_binding.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"

namespace {

struct HeadlessPlatform {
  HeadlessPlatform() { usePlatform(backend, binding); }
  ~HeadlessPlatform() { useDesktopPlatform(); }
  NullWindowBackend backend;
  EglBinding binding{EglBinding::Target::Pbuffer, backend};
};

void closeWindow() {
  mainWindow->Close();
  Application->DestroyForms();
  mainWindow = nullptr;
}

// Window construction (with the default galaxy's generation), context
// set-up and the first frame, finished on the GPU side too.
void startupToFirstFrame(benchmark::State& state) {
  HeadlessPlatform platform;
  platform.backend.setClientSize(807, 701);
  for (auto _ : state) {
    Application->CreateForm(mainWindow);
    mainWindow->TimerTimer(mainWindow);
    glFinish();
    state.PauseTiming();
    closeWindow();
    state.ResumeTiming();
  }
}

// One tick's frame: the default galaxy (6,734 points drawn), and a count of
// exactly 1,000,000 (4 rings of 100,000 arms), whose 333,334 points drawn
// are the most any accepted galaxy shows; and 333,744 and 995,460 points (4
// arms, 408 and 705 rings), beside the page's figures (web_bench.mjs).
void frame(benchmark::State& state) {
  HeadlessPlatform platform;
  platform.backend.setClientSize(807, 701);
  Application->CreateForm(mainWindow);
  TViewPort& w = *mainWindow;
  w.galaxy.applyPreset(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)), w.galaxy.twist);
  for (auto _ : state) {
    w.TimerTimer(&w);
    glFinish();
  }
  state.counters["points_drawn"] = (w.galaxy.count + 2) / 3;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  closeWindow();
}

// S at 705 rings: the heaviest regeneration (706 rings, 995,460 points) and
// the caption rebuild; with range(0) = 1 also the next frame, 332,762 points.
void keyDownToNextFrame(benchmark::State& state) {
  HeadlessPlatform platform;
  platform.backend.setClientSize(807, 701);
  Application->CreateForm(mainWindow);
  TViewPort& w = *mainWindow;
  for (auto _ : state) {
    state.PauseTiming();
    w.galaxy.rings = 705;
    state.ResumeTiming();
    uint16_t key = 'S';
    w.FormKeyDown(&w, key, 0);
    if (state.range(0)) {
      w.TimerTimer(&w);
      glFinish();
    }
  }
  state.counters["points_drawn"] = (w.galaxy.count + 2) / 3;
  closeWindow();
}

}  // namespace

BENCHMARK(keyDownToNextFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(startupToFirstFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(frame)->Args({100, 4})->Args({4, 100000})->Args({408, 4})->Args({705, 4})->Unit(benchmark::kMillisecond);
