// A site that hosts a control and ignores what it is told: no extender beyond a fixed name, no
// notifications kept, errors dropped. For benchmarks, fuzzing and renderers, where only the
// control's own state matters.
#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/site.h"

namespace dnovar {

class QuietSite final : public ControlSite {
 public:
  QuietSite(Toolkit& toolkit, DateSerial today) : toolkit_(toolkit), clock_(today) {}
  std::string extender_name() override { return "Dnovar1"; }
  void property_changed(std::string_view) override {}
  void raise_event(std::string_view, int) override {}
  void report_error(const RuntimeError&) override {}
  Toolkit& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return CalendarRules::Control; }

 private:
  Toolkit& toolkit_;
  FixedClock clock_;
};

}  // namespace dnovar
