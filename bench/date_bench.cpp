// Building and taking apart dates: every refresh does a handful of each.
#include <benchmark/benchmark.h>

#include "platform/date.h"

namespace {

void BM_MakeDate(benchmark::State& state) {
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dnovar::make_date(2024, 4, day));
    day = day % 31 + 1;
  }
}
BENCHMARK(BM_MakeDate);

void BM_DateParts(benchmark::State& state) {
  double serial = 45413.25;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dnovar::date_parts(serial));
    serial += 1.0;
    if (serial > 2958465.0) serial = -657434.0;
  }
}
BENCHMARK(BM_DateParts);

}  // namespace
