// The viewer behind a burst of keys: the time from the last of N queued keys
// (as the message loop reads them) to the caption that shows it, and to the
// next frame on screen, at 995,460 points, through the real message loop,
// window class and drawing on a headless software context.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/mainview.h"
#include "platform/egl/egl_binding.h"
#include "platform/forms/application.h"
#include "platform/headless/null_window.h"
#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

// The headless backend, noting when the window was last handed a caption.
class CaptionClock : public NullWindowBackend {
 public:
  void setCaption(HWND window, const std::string& caption) override {
    NullWindowBackend::setCaption(window, caption);
    shown = Clock::now();
  }
  Clock::time_point shown;
};

double msBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// range(0) keys, twist up and down by turns (each one regenerates), queued
// at once; the window closes after the first frame that follows them.
void keysToCaptionAndFrame(benchmark::State& state) {
  CaptionClock backend;
  EglBinding binding(EglBinding::Target::Pbuffer, backend);
  usePlatform(backend, binding);
  backend.setClientSize(807, 701);
  double toCaption = 0, toFrame = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Application->CreateForm(mainWindow);
    TViewPort& w = *mainWindow;
    w.galaxy.rings = 706;  // 995,460 points
    w.galaxy.generate();
    for (int64_t k = 0; k < state.range(0); ++k) {
      WindowEvent key = makeEvent(WindowEvent::Kind::KeyDown, w.GetHandle());
      key.key = k % 2 ? 'B' : 'N';
      backend.post(key);
    }
    Clock::time_point framed;
    const TNotifyEvent tick = w.Timer->OnTimer;
    w.Timer->OnTimer = [&](TObject* sender) {
      tick(sender);
      glFinish();
      framed = Clock::now();
      w.Close();
    };
    state.ResumeTiming();
    const Clock::time_point start = Clock::now();
    Application->Run();
    state.PauseTiming();
    toCaption += msBetween(start, backend.shown);
    toFrame += msBetween(start, framed);
    Application->DestroyForms();
    mainWindow = nullptr;
    state.ResumeTiming();
  }
  state.counters["to_caption_ms"] = benchmark::Counter(toCaption, benchmark::Counter::kAvgIterations);
  state.counters["to_frame_ms"] = benchmark::Counter(toFrame, benchmark::Counter::kAvgIterations);
  useDesktopPlatform();
}

}  // namespace

BENCHMARK(keysToCaptionAndFrame)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
