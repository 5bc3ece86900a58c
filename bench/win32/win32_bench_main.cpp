// Google Benchmark's main, with the comparison at the end: for each measure, the control's median
// against the system calendar's, the ratio and the goal.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The console's report as usual, and each benchmark's median real time (ns) kept by its name.
class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" &&
          !run.error_occurred)
        medians_[run.run_name.function_name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
  }
  const std::map<std::string, double>& medians() const { return medians_; }

 private:
  std::map<std::string, double> medians_;
};

struct Goal {
  const char* measure;
  const char* name;  // BM_<name>_Dnovar beside BM_<name>_SysMonthCal32
  double most;       // the ratio the control must not exceed
};

constexpr Goal kGoals[] = {{"first paint", "FirstPaint", 1.0},
                           {"month switch", "MonthSwitch", 0.5}};

void print_ratios(const std::map<std::string, double>& medians) {
  std::printf("\nMedians, Dnovar beside SysMonthCal32:\n");
  for (const Goal& goal : kGoals) {
    const auto ours = medians.find(std::string("BM_") + goal.name + "_Dnovar");
    const auto system = medians.find(std::string("BM_") + goal.name + "_SysMonthCal32");
    if (ours == medians.end() || system == medians.end() || system->second <= 0) {
      std::printf("  %-13s not measured\n", goal.measure);
      continue;
    }
    const double ratio = ours->second / system->second;
    std::printf("  %-13s %9.3f ms  %9.3f ms  %5.2fx  (goal <= %.1fx: %s)\n", goal.measure,
                ours->second / 1e6, system->second / 1e6, ratio, goal.most,
                ratio <= goal.most ? "met" : "missed");
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
