// One month refresh on the headless backend, and a control's start-up.
#include <benchmark/benchmark.h>

#include "bench/bench_site.h"

namespace {

using namespace dnovar;

void BM_Aktualizuj(benchmark::State& state) {
  bench::StartedCalendar started;
  for (auto _ : state) started.refresh_next_month();
}
BENCHMARK(BM_Aktualizuj);

void BM_StartUp(benchmark::State& state) {
  bench::HeadlessHost host;
  for (auto _ : state) {
    Calendar calendar(host.site);
    CalendarEvents events(calendar);
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.Inicializuj();
    benchmark::DoNotOptimize(calendar.state().Dtyd1);
  }
}
BENCHMARK(BM_StartUp);

}  // namespace
