// The whole control on the Qt toolkit: a calendar with its handlers, on a fixed today, placed in a
// host window after a field of the host's own, shown and active. What the host receives (beeps,
// events, contained errors) is recorded.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "tests/qt/qt_test_support.h"

namespace dnovar::qt_test {

class RecordingQtSite final : public ControlSite {
 public:
  explicit RecordingQtSite(DateSerial today) : clock_(today) {
    toolkit_.on_beep([this] { received.push_back("beep"); });
  }
  std::string extender_name() override { return "Dnovar1"; }
  void property_changed(std::string_view name) override {
    received.push_back("changed " + std::string(name));
  }
  void raise_event(std::string_view name, int) override {
    received.push_back("event " + std::string(name));
  }
  void report_error(const RuntimeError& error) override {
    received.push_back("error " + std::to_string(error.number()));
  }
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return CalendarRules::Control; }

  std::vector<std::string> take();
  std::vector<std::string> received;

 private:
  QtToolkit toolkit_;
  FixedClock clock_;
};

class QtCalendarTest : public ::testing::Test {
 protected:
  // Starts the calendar on 20 May 2024 (a month whose 1st is a Wednesday), today the same day.
  void SetUp() override;
  void TearDown() override;

  QWidget& qt(WidgetId id) { return surface_widget(calendar->surface(), id); }
  ShownArea shown(WidgetId id) { return shown_area(calendar->surface(), id); }
  // The day's cell as shown: a rectangle of the grid that paints the cells.
  ShownArea cell_of_day(int day);
  QFont font_of_day(int day);
  QAccessibleInterface* accessible_of_day(int day);
  Widget& widget(WidgetId id) { return calendar->widget(id); }
  CalendarState& state() { return calendar->state(); }

  std::unique_ptr<RecordingQtSite> site;
  std::unique_ptr<Calendar> calendar;
  std::unique_ptr<CalendarEvents> events;
  QWidget window;
  QLineEdit* host_field = nullptr;
};

}  // namespace dnovar::qt_test
