// Counts the instructions of one month refresh on the headless backend. Run it under
//   valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null
// (./dev.sh bench does): only the refreshes are counted, and the program prints the total's share
// per refresh from callgrind's own summary, which dev.sh reads.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "bench/bench_site.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

int main(int argc, char** argv) {
  using namespace dnovar;
  const int refreshes = argc > 1 ? std::atoi(argv[1]) : 1000;
  bench::BenchSite site;
  Calendar calendar(site);
  CalendarEvents events(calendar);
  calendar.state().AktDatum = make_date(2024, 5, 20);
  calendar.state().Dlow = 10;
  calendar.state().Dhigh = 25;
  calendar.Inicializuj();
  Int16 month = 1;
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_TOGGLE_COLLECT;
  for (int i = 0; i < refreshes; ++i) {
    calendar.state().Mesic = month;
    calendar.Aktualizuj(0);
    month = static_cast<Int16>(month % 12 + 1);
  }
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_STOP_INSTRUMENTATION;
  std::printf("%d refreshes\n", refreshes);
  return 0;
}
