// Typing into the control's boxes on the headless backend: each key costs the same however long
// the text already is (the box's text is changed in place, never copied per key).
#include <benchmark/benchmark.h>

#include "bench/bench_site.h"
#include "core/surface_layout.h"

namespace {

using namespace dnovar;

// Types state.range(0) digits into "D + -" (its handler lets digits through) per iteration.
void BM_TypeIntoTextBox(benchmark::State& state) {
  bench::StartedCalendar started;
  auto& surface = static_cast<HeadlessSurface&>(started.calendar.surface());
  for (auto _ : state) {
    surface.widget(widget_ids::txtDplus).set_text("");
    for (int64_t i = 0; i < state.range(0); ++i)
      surface.user_key(widget_ids::txtDplus, '0' + static_cast<int>(i % 10));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TypeIntoTextBox)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Complexity();

}  // namespace
