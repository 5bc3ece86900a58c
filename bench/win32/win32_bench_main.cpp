// Google Benchmark's main, with the comparison at the end: for each measure, the control's median
// against the system calendar's, the ratio and the goal, in real time (what the goal is about) and
// in the process's CPU time (steadier on a busy machine, but without the time spent in Wine's
// server and the X server).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Median {
  double real_ms;
  double cpu_ms;
};

// The console's report as usual, and each benchmark's medians kept by its name.
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred)
        continue;
      const double to_ms = 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
      medians_[run.run_name.function_name] =
          Median{run.GetAdjustedRealTime() * to_ms, run.GetAdjustedCPUTime() * to_ms};
    }
  }
  const std::map<std::string, Median>& medians() const { return medians_; }

 private:
  std::map<std::string, Median> medians_;
};

struct Goal {
  const char* measure;
  const char* name;  // BM_<name>_Dnovar beside BM_<name>_SysMonthCal32
  double most;       // the ratio the control must not exceed
};

constexpr Goal kGoals[] = {{"first paint", "FirstPaint", 1.0},
                           {"month switch", "MonthSwitch", 0.5}};

void print_ratios(const std::map<std::string, Median>& medians) {
  std::printf("\nMedians, Dnovar beside SysMonthCal32 (real time; CPU time in brackets):\n");
  for (const Goal& goal : kGoals) {
    const auto ours = medians.find(std::string("BM_") + goal.name + "_Dnovar");
    const auto system = medians.find(std::string("BM_") + goal.name + "_SysMonthCal32");
    if (ours == medians.end() || system == medians.end() || system->second.real_ms <= 0 ||
        system->second.cpu_ms <= 0) {
      std::printf("  %-13s not measured\n", goal.measure);
      continue;
    }
    const Median& a = ours->second;
    const Median& b = system->second;
    const double ratio = a.real_ms / b.real_ms;
    std::printf("  %-13s %8.3f ms (%6.3f)  %8.3f ms (%6.3f)  %5.2fx (%4.2fx)  goal <= %.1fx: %s\n",
                goal.measure, a.real_ms, a.cpu_ms, b.real_ms, b.cpu_ms, ratio, a.cpu_ms / b.cpu_ms,
                goal.most, ratio <= goal.most ? "met" : "missed");
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  print_ratios(reporter.medians());
  return 0;
}
