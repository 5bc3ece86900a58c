// A control instance as the script host drives it: through its automation interface by name, its
// members read through its inspection interface, its widgets through the surface the site's
// toolkit created for it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "com/automation.h"
#include "com/control_hosting.h"
#include "core/calendar_state.h"
#include "host/control_inspection.h"
#include "platform/toolkit.h"
#include "platform/variant.h"

namespace dnovar::script {

class ScriptSite;

class ScriptInstance {
 public:
  // Gives the object the site, advises a sink that records its events, and finds its widgets:
  // `surface` where the backend knows them, else the surface the site's toolkit made for it.
  ScriptInstance(ComPtr<Unknown> object, ScriptSite& site, Surface* surface = nullptr);
  ~ScriptInstance();
  ScriptInstance(const ScriptInstance&) = delete;
  ScriptInstance& operator=(const ScriptInstance&) = delete;

  // The control's surface; error 91 for a control that made none.
  Surface& surface();
  CalendarState state();
  ControlHosting& hosting() { return *hosting_; }

  Variant get(std::string_view name);
  void put(std::string_view name, const Variant& value);
  Variant call(std::string_view name, const std::vector<Variant>& args);

 private:
  ComPtr<Dispatch> dispatch_;
  ComPtr<ControlHosting> hosting_;
  ComPtr<EventSource> source_;
  ComPtr<ControlInspection> inspection_;
  std::uint32_t cookie_ = 0;
  Surface* surface_ = nullptr;
};

// A control made in this program (no registry, no module) and started on `date` straight away:
// members at their defaults, widgets as created, no persistence.
std::unique_ptr<ScriptInstance> start_in_process_control(ScriptSite& site, DateSerial date);

}  // namespace dnovar::script
