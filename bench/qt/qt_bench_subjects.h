// What the Qt benchmarks and their instruction counts set side by side: the control on the Qt
// backend and Qt's own QCalendarWidget, both on 20 May 2024.
#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <memory>

#include "backends/qt/qt_access.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"

namespace dnovar::bench {

// One control instance with its handlers, started on 20 May 2024.
struct QtControl {
  explicit QtControl(ControlSite& site) : calendar(site), events(calendar) {
    calendar.state().AktDatum = make_date(2024, 5, 20);
    calendar.Inicializuj();
  }
  QWidget& root() { return surface_root(calendar.surface()); }
  Calendar calendar;
  CalendarEvents events;
};

inline std::unique_ptr<QCalendarWidget> qt_calendar() {
  auto widget = std::make_unique<QCalendarWidget>();
  widget->setSelectedDate(QDate(2024, 5, 20));
  return widget;
}

}  // namespace dnovar::bench
