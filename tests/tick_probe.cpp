// The viewer's frame timer as the real window and message loop deliver it:
// for 2 s, how long after the timer was started again (at the end of each
// frame) the next tick came, in microseconds. Prints the count, minimum,
// median and maximum, and the steps the camera took a second; the gaps one a
// line to the file given. Built for Windows (run under Wine) and Linux.
// With RINGS, preset 7's galaxy grown to that many rings is drawn.
// Usage: tick_probe GAPS_FILE [RINGS]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/mainview.h"
#include "galaxy/presets.h"
#include "platform/forms/application.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) return 2;
  Application->Initialize();
  Application->CreateForm(mainWindow);
  if (argc == 3) {
    const GalaxyPreset& seven = kPresets[6];
    mainWindow->galaxy.applyPreset(std::atoi(argv[2]), seven.arms, seven.twist);
    std::printf("points %d (%d drawn), ", mainWindow->galaxy.count, mainWindow->galaxy.count / 3);
  }
  TTimer* timer = mainWindow->Timer;
  const TNotifyEvent drawFrame = timer->OnTimer;
  const int64_t interval = int64_t{timer->Interval()} * 1000;
  const int64_t start = windowBackend().nowUs();
  std::vector<int64_t> gaps;
  int64_t startedAt = -1;  // when the frame handler last started the timer again
  int64_t firstTick = -1, lastTick = -1;
  timer->OnTimer = [&](TObject* sender) {
    lastTick = windowBackend().nowUs();
    if (firstTick < 0) firstTick = lastTick;
    if (startedAt >= 0) gaps.push_back(lastTick - startedAt);
    drawFrame(sender);
    startedAt = timer->DueAt() - interval;
    if (windowBackend().nowUs() - start > 2'000'000) mainWindow->Close();
  };
  Application->Run();
  if (gaps.empty()) return 1;
  FILE* out = std::fopen(argv[1], "w");
  for (int64_t gap : gaps) std::fprintf(out, "%lld\n", static_cast<long long>(gap));
  std::fclose(out);
  std::sort(gaps.begin(), gaps.end());
  const double seconds = static_cast<double>(lastTick - firstTick) / 1e6;
  std::printf("ticks %zu min %lld median %lld max %lld steps_per_second %.1f\n", gaps.size(),
              static_cast<long long>(gaps.front()), static_cast<long long>(gaps[gaps.size() / 2]),
              static_cast<long long>(gaps.back()), static_cast<double>(gaps.size()) / seconds);
  return 0;
}
