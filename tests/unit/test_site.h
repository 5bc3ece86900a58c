// A site for tests: headless widgets, a fixed clock, and a spy recording what the host receives.
#pragma once

#include <string>
#include <vector>

#include "backends/headless/headless_toolkit.h"
#include "core/calendar.h"
#include "interaction/calendar_events.h"
#include "platform/site.h"
#include "tests/unit/error_of.h"

namespace dnovar::testing_support {

// The headless toolkit, remembering every control surface it made (in the order made).
class SurfaceRecorder final : public Toolkit {
 public:
  explicit SurfaceRecorder(HeadlessToolkit& toolkit) : toolkit_(toolkit) {}
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override {
    std::unique_ptr<Surface> surface = toolkit_.create_surface(table, errors);
    made.push_back(static_cast<HeadlessSurface*>(surface.get()));
    return surface;
  }
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override {
    return toolkit_.create_form(table, errors);
  }
  void beep() override { toolkit_.beep(); }
  std::vector<HeadlessSurface*> made;

 private:
  HeadlessToolkit& toolkit_;
};

class TestSite final : public ControlSite {
 public:
  explicit TestSite(DateSerial today = make_date(2024, 5, 20)) : clock_(today) {
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
  Toolkit& toolkit() override { return surfaces; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return rules; }

  FixedClock clock_;
  CalendarRules rules = CalendarRules::Control;
  HeadlessToolkit toolkit_;
  SurfaceRecorder surfaces{toolkit_};
  std::vector<std::string> received;
};

// A started calendar with its handlers attached.
struct StartedCalendar {
  explicit StartedCalendar(DateSerial date, DateSerial today = make_date(2024, 5, 20))
      : site(today) {
    calendar.state().AktDatum = date;
    calendar.Inicializuj();
  }
  HeadlessSurface& surface() { return static_cast<HeadlessSurface&>(calendar.surface()); }
  CalendarState& state() { return calendar.state(); }
  Widget& cell(int i) { return calendar.day_cell(i); }
  std::string caption(int i) { return cell(i).caption(); }

  TestSite site;
  Calendar calendar{site};
  CalendarEvents events{calendar};
};

}  // namespace dnovar::testing_support
