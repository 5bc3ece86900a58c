// The script host's site: records what a host would see (property changes, events, beeps and
// contained errors) for the `events` command, plays the extender with a settable Name, and gives
// the calendar the rules the command line chose (the control's own unless told).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/site.h"

namespace dnovar::script {

// The backend's toolkit, remembering the control surface it created last: the surface the host
// delivers user input to and shows. Forms pass straight through.
class SurfaceCapture final : public Toolkit {
 public:
  explicit SurfaceCapture(Toolkit& toolkit) : toolkit_(toolkit) {}
  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override {
    return toolkit_.create_form(table, errors);
  }
  void beep() override { toolkit_.beep(); }
  // The surface created since the last take, or null. It lives as long as the control that asked
  // for it.
  Surface* take_created_surface() { return std::exchange(created_, nullptr); }

 private:
  Toolkit& toolkit_;
  Surface* created_ = nullptr;
};

class ScriptSite final : public ControlSite {
 public:
  ScriptSite(Toolkit& toolkit, const Clock& clock) : toolkit_(toolkit), clock_(clock) {}

  std::string extender_name() override;
  void property_changed(std::string_view name) override { record("changed " + std::string(name)); }
  void raise_event(std::string_view name, int) override { record("event " + std::string(name)); }
  void report_error(const RuntimeError& error) override;
  SurfaceCapture& toolkit() override { return toolkit_; }
  const Clock& clock() const override { return clock_; }
  CalendarRules calendar_rules() const override { return rules_; }

  void set_rules(CalendarRules rules) { rules_ = rules; }
  void record(std::string line) { events_.push_back(std::move(line)); }
  std::vector<std::string> take_events();
  void set_name(std::string name) { name_ = std::move(name); }
  void remove_extender() { name_.reset(); }
  const std::optional<std::string>& name() const { return name_; }

 private:
  SurfaceCapture toolkit_;
  const Clock& clock_;
  std::optional<std::string> name_ = "Dnovar1";
  CalendarRules rules_ = CalendarRules::Control;
  std::vector<std::string> events_;
};

}  // namespace dnovar::script
