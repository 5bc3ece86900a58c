// The control on the Qt backend beside QCalendarWidget, the month view Qt itself offers:
// - a month switch: the new month computed and the whole widget repainted synchronously;
// - creation to first paint: a new instance on a date, painted once;
// - memory per instance: heap growth and resident-size growth per instance over 200 live
//   instances, each painted once (lazily made parts included), after one of each kind was made
//   and released (caches shared by all instances excluded).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "backends/qt/qt_toolkit.h"
#include "bench/qt/qt_bench_subjects.h"
#include "platform/quiet_site.h"

namespace {

using namespace dnovar;

constexpr int kInstances = 200;

// A quiet site on the Qt toolkit, shared by every instance of a run.
struct BenchSite {
  QtToolkit toolkit;
  QuietSite quiet{toolkit, make_date(2024, 5, 20)};
};

ControlSite& site() {
  static BenchSite shared;
  return shared.quiet;
}

// One control instance with its handlers, started on 20 May 2024, on the shared site.
struct Control : bench::QtControl {
  Control() : QtControl(site()) {}
};
using bench::qt_calendar;

// Both shown in a window of their own on the offscreen platform, so that repaint() really paints.
void show(QWidget& widget) {
  widget.show();
  QCoreApplication::processEvents();
}

void BM_MonthSwitch_Dnovar(benchmark::State& state) {
  Control control;
  show(control.root());
  Int16 month = 5;
  for (auto _ : state) {
    month = static_cast<Int16>(month % 12 + 1);
    control.calendar.state().Mesic = month;
    control.calendar.Aktualizuj(0);
    control.root().repaint();
  }
}
BENCHMARK(BM_MonthSwitch_Dnovar)->Unit(benchmark::kMicrosecond);

void BM_MonthSwitch_QCalendarWidget(benchmark::State& state) {
  const std::unique_ptr<QCalendarWidget> widget = qt_calendar();
  show(*widget);
  int month = 5;
  for (auto _ : state) {
    month = month % 12 + 1;
    widget->setCurrentPage(2024, month);
    widget->repaint();
  }
}
BENCHMARK(BM_MonthSwitch_QCalendarWidget)->Unit(benchmark::kMicrosecond);

void BM_FirstPaint_Dnovar(benchmark::State& state) {
  for (auto _ : state) {
    Control control;
    benchmark::DoNotOptimize(control.root().grab());
  }
}
BENCHMARK(BM_FirstPaint_Dnovar)->Unit(benchmark::kMicrosecond);

void BM_FirstPaint_QCalendarWidget(benchmark::State& state) {
  for (auto _ : state) {
    const std::unique_ptr<QCalendarWidget> widget = qt_calendar();
    benchmark::DoNotOptimize(widget->grab());
  }
}
BENCHMARK(BM_FirstPaint_QCalendarWidget)->Unit(benchmark::kMicrosecond);

std::size_t heap_in_use() {
  return mallinfo2().uordblks;
}

std::size_t resident_bytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Makes `kInstances` live instances with `make` (each painted once) and reports the growth per
// instance as the counters heap_per_instance and rss_per_instance (bytes).
template <typename Instance>
void measure_instances(benchmark::State& state, std::function<std::unique_ptr<Instance>()> make,
                       std::function<QWidget&(Instance&)> widget_of) {
  {
    // One made and released first: fonts, glyphs and style data are shared by all instances.
    std::unique_ptr<Instance> first = make();
    benchmark::DoNotOptimize(widget_of(*first).grab());
  }
  QCoreApplication::processEvents();
  // Freed memory goes back to the system, so that resident growth is this kind's own.
  malloc_trim(0);
  double heap_per_instance = 0;
  double rss_per_instance = 0;
  for (auto _ : state) {
    std::vector<std::unique_ptr<Instance>> instances;
    instances.reserve(kInstances);
    const std::size_t heap_before = heap_in_use();
    const std::size_t rss_before = resident_bytes();
    for (int i = 0; i < kInstances; ++i) {
      instances.push_back(make());
      benchmark::DoNotOptimize(widget_of(*instances.back()).grab());
    }
    QCoreApplication::processEvents();
    heap_per_instance = static_cast<double>(heap_in_use() - heap_before) / kInstances;
    rss_per_instance = static_cast<double>(resident_bytes() - rss_before) / kInstances;
  }
  state.counters["heap_per_instance"] = heap_per_instance;
  state.counters["rss_per_instance"] = rss_per_instance;
}

void BM_Memory_Dnovar(benchmark::State& state) {
  measure_instances<Control>(
      state, [] { return std::make_unique<Control>(); },
      [](Control& control) -> QWidget& { return control.root(); });
}
BENCHMARK(BM_Memory_Dnovar)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Memory_QCalendarWidget(benchmark::State& state) {
  measure_instances<QCalendarWidget>(
      state, [] { return qt_calendar(); },
      [](QCalendarWidget& widget) -> QWidget& { return widget; });
}
BENCHMARK(BM_Memory_QCalendarWidget)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
