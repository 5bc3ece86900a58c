// A control instance as the script host drives it: through its automation interface by name, its
// members read through its inspection interface, its widgets through the surface the site's
// toolkit created for it.
#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "component/control_client.h"
#include "core/calendar_state.h"
#include "host/control_inspection.h"
#include "platform/toolkit.h"
#include "platform/variant.h"

namespace dnovar::script {

class ScriptSite;

class ScriptInstance {
 public:
  // Holds the object through the control client, its events recorded as the site's `event NAME`
  // lines, and finds its widgets: `surface` where the backend knows them, else the surface the
  // site's toolkit made for it. Raises 430 also for an object without the inspection interface.
  ScriptInstance(const ComponentPtr<Unknown>& object, ScriptSite& site, Surface* surface = nullptr);
  ScriptInstance(const ScriptInstance&) = delete;
  ScriptInstance& operator=(const ScriptInstance&) = delete;

  // The control's surface; error 91 for a control that made none.
  Surface& surface();
  CalendarState state();
  ControlHosting& hosting() { return client_->hosting(); }

  Variant get(std::string_view name) { return client_->get(name); }
  void put(std::string_view name, const Variant& value) { client_->put(name, value); }
  Variant call(std::string_view name, const std::vector<Variant>& args) {
    return client_->call(name, args);
  }

 private:
  ComponentPtr<ControlInspection> inspection_;
  // Made once the toolkit has forgotten earlier surfaces, so the one taken is this control's.
  std::optional<ControlClient> client_;
  Surface* surface_ = nullptr;
};

// A control made in this program (no registry, no module) and started on `date` straight away:
// members at their defaults, widgets as created, no persistence.
std::unique_ptr<ScriptInstance> start_in_process_control(ScriptSite& site, DateSerial date);

}  // namespace dnovar::script
