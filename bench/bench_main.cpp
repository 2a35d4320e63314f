// Runs the benchmarks, then prints how generate() compares with its scalar
// baseline and with the memory floor, and a deferred write() with generate().
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

void printRatio(const RecordingReporter& r, const char* what, const std::string& top, const std::string& bottom) {
  const auto a = r.times.find(top), b = r.times.find(bottom);
  if (a == r.times.end() || b == r.times.end()) return;
  std::printf("%-44s %6.2f\n", what, a->second / b->second);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\n");
  printRatio(reporter, "baseline / generate, defaults", "baseline/100/4/2", "generate/100/4/2");
  printRatio(reporter, "baseline / generate, 706 rings", "baseline/706/4/2", "generate/706/4/2");
  printRatio(reporter, "generate / memory floor, 706 rings", "generate/706/4/2", "memoryFloor/706/4/2");
  printRatio(reporter, "baseline / generate, 706 rings, falloff 1000", "baseline/706/4/1000/iterations:1",
             "generate/706/4/1000/iterations:2");
  printRatio(reporter, "write after 1000 keys / generate, 706 rings", "writeAfterKeys/1000", "generate/706/4/2");
  printRatio(reporter, "write after rings 706 to 7 / generate, 706 rings", "writeAfterRingsFall", "generate/706/4/2");
  return 0;
}
