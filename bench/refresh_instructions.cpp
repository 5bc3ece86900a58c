// Counts the instructions of one month refresh on the headless backend. Run it under
//   valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file=/dev/null
// (./dev.sh bench does): only the refreshes are collected, and callgrind's summary divided by the
// number of refreshes is the count per refresh.
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>

#include "bench/bench_site.h"

int main(int argc, char** argv) {
  const int refreshes = argc > 1 ? std::atoi(argv[1]) : 1000;
  dnovar::bench::StartedCalendar started;
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_TOGGLE_COLLECT;
  for (int i = 0; i < refreshes; ++i) started.refresh_next_month();
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_STOP_INSTRUMENTATION;
  std::printf("%d refreshes\n", refreshes);
  return 0;
}
