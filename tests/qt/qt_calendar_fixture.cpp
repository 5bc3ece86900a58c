#include "tests/qt/qt_calendar_fixture.h"

#include <QVBoxLayout>

namespace dnovar::qt_test {

std::vector<std::string> RecordingQtSite::take() {
  std::vector<std::string> taken;
  taken.swap(received);
  return taken;
}

void QtCalendarTest::SetUp() {
  const DateSerial day = make_date(2024, 5, 20);
  site = std::make_unique<RecordingQtSite>(day);
  calendar = std::make_unique<Calendar>(*site);
  events = std::make_unique<CalendarEvents>(*calendar);
  calendar->state().AktDatum = day;
  calendar->Inicializuj();
  // In this order the field comes before the control in the window's tab chain.
  auto* layout = new QVBoxLayout(&window);
  host_field = new QLineEdit(&window);
  layout->addWidget(host_field);
  layout->addWidget(&surface_root(calendar->surface()));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  host_field->setFocus(Qt::OtherFocusReason);
  site->take();
}

void QtCalendarTest::TearDown() {
  // The control goes before the window that holds its root.
  events.reset();
  calendar.reset();
}

ShownArea QtCalendarTest::cell_of_day(int day) {
  return shown(day_cell_id(cell_for_day(day, state().Dtyd1)));
}

QFont QtCalendarTest::font_of_day(int day) {
  return shown_font(calendar->surface(), day_cell_id(cell_for_day(day, state().Dtyd1)));
}

QAccessibleInterface* QtCalendarTest::accessible_of_day(int day) {
  return surface_accessible(calendar->surface(), day_cell_id(cell_for_day(day, state().Dtyd1)));
}

}  // namespace dnovar::qt_test
