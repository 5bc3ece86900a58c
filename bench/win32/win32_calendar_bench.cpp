// The control on the Win32 backend beside the system's own month calendar, SysMonthCal32. Each
// sits in the same visible top-level window of the benchmark's and is painted the way Windows
// paints any window: what is invalid gets WM_PAINT through UpdateWindow, synchronously, children
// included.
// - creation to first paint: a new instance on 20 May 2024 made in the window and painted once
//   (the window itself is made once; destroying the instance is not timed);
// - a month switch: the next month shown (the control's Mesic and Aktualizuj, the system
//   control's MCM_SETCURSEL), then the window updated, so what the switch invalidated is painted.
// Medians of several repetitions, in real time: painting happens partly outside the process.
#include <benchmark/benchmark.h>

#include <memory>

#include "backends/win32/win32_comparison_stage.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/quiet_site.h"

namespace {

using namespace dnovar;

constexpr int kRepetitions = 10;

// One stage for the whole run: a top-level window that goes away waits for the X server to
// withdraw it, much longer than anything measured here.
ComparisonStage& shared_stage() {
  static ComparisonStage stage;
  return stage;
}

// One instance of the control with its handlers, started on 20 May 2024, in the host's window.
struct Control {
  explicit Control(Toolkit& toolkit)
      : site(toolkit, make_date(2024, 5, 20)), calendar(site), events(calendar) {
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.Inicializuj();
  }
  QuietSite site;
  Calendar calendar;
  CalendarEvents events;
};

void BM_FirstPaint_Dnovar(benchmark::State& state) {
  ComparisonStage& host = shared_stage();
  for (auto _ : state) {
    auto control = std::make_unique<Control>(host.toolkit());
    host.paint();
    state.PauseTiming();
    control.reset();
    host.settle();
    state.ResumeTiming();
  }
}

void BM_FirstPaint_SysMonthCal32(benchmark::State& state) {
  ComparisonStage& host = shared_stage();
  for (auto _ : state) {
    auto calendar = std::make_unique<SystemMonthCalendar>(host);
    host.paint();
    state.PauseTiming();
    calendar.reset();
    host.settle();
    state.ResumeTiming();
  }
}

void BM_MonthSwitch_Dnovar(benchmark::State& state) {
  ComparisonStage& host = shared_stage();
  Control control(host.toolkit());
  host.settle();
  Int16 month = 5;
  for (auto _ : state) {
    month = static_cast<Int16>(month % 12 + 1);
    control.calendar.state().Mesic = month;
    control.calendar.Aktualizuj(0);
    host.paint();
  }
}

void BM_MonthSwitch_SysMonthCal32(benchmark::State& state) {
  ComparisonStage& host = shared_stage();
  SystemMonthCalendar calendar(host);
  host.settle();
  calendar.show_month(6);
  if (calendar.shown_month() != 6) {
    state.SkipWithError("MCM_SETCURSEL did not switch the system calendar's month");
    return;
  }
  int month = 6;
  for (auto _ : state) {
    month = month % 12 + 1;
    calendar.show_month(month);
    host.paint();
  }
}

void measured(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMicrosecond)
      ->UseRealTime()
      ->Repetitions(kRepetitions)
      ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_FirstPaint_Dnovar)->Apply(measured);
BENCHMARK(BM_FirstPaint_SysMonthCal32)->Apply(measured);
BENCHMARK(BM_MonthSwitch_Dnovar)->Apply(measured);
BENCHMARK(BM_MonthSwitch_SysMonthCal32)->Apply(measured);

}  // namespace
