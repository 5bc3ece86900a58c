// One month refresh on the headless backend, and the month switch a user makes with the list.
#include <benchmark/benchmark.h>

#include "bench/bench_site.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

namespace {

using namespace dnovar;

void BM_Aktualizuj(benchmark::State& state) {
  bench::BenchSite site;
  Calendar calendar(site);
  CalendarEvents events(calendar);
  calendar.state().AktDatum = make_date(2024, 5, 20);
  calendar.state().Dlow = 10;
  calendar.state().Dhigh = 25;
  calendar.Inicializuj();
  Int16 month = 1;
  for (auto _ : state) {
    // A different month each time, so every refresh really changes the spinners and the grid.
    calendar.state().Mesic = month;
    calendar.Aktualizuj(0);
    month = static_cast<Int16>(month % 12 + 1);
  }
}
BENCHMARK(BM_Aktualizuj);

void BM_StartUp(benchmark::State& state) {
  bench::BenchSite site;
  for (auto _ : state) {
    Calendar calendar(site);
    CalendarEvents events(calendar);
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.Inicializuj();
    benchmark::DoNotOptimize(calendar.state().Dtyd1);
  }
}
BENCHMARK(BM_StartUp);

}  // namespace
