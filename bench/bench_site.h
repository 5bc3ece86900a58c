// A started calendar on the headless backend, shared by the benchmarks.
#pragma once

#include "backends/headless/headless_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/quiet_site.h"

namespace dnovar::bench {

struct HeadlessHost {
  HeadlessToolkit toolkit;
  QuietSite site{toolkit, make_date(2024, 5, 20)};
};

// On 20 May 2024 with the interval 10..25, as a user would see it.
struct StartedCalendar {
  StartedCalendar() {
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.state().Dlow = 10;
    calendar.state().Dhigh = 25;
    calendar.Inicializuj();
  }
  // A different month each time, so every refresh really changes the spinners and the grid.
  void refresh_next_month() {
    calendar.state().Mesic = month;
    calendar.Aktualizuj(0);
    month = static_cast<Int16>(month % 12 + 1);
  }

  HeadlessHost host;
  Calendar calendar{host.site};
  CalendarEvents events{calendar};
  Int16 month = 1;
};

}  // namespace dnovar::bench
