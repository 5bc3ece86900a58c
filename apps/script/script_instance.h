// A control instance as the script host drives it: through its automation interface by name, with
// its calendar at hand for show, state and user input.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "com/automation.h"
#include "com/control_hosting.h"
#include "core/calendar.h"
#include "platform/variant.h"

namespace dnovar::script {

class ScriptSite;

class ScriptInstance {
 public:
  // Gives the object the site, advises a sink that records its events, and finds its calendar.
  ScriptInstance(ComPtr<Unknown> object, ScriptSite& site);
  ~ScriptInstance();
  ScriptInstance(const ScriptInstance&) = delete;
  ScriptInstance& operator=(const ScriptInstance&) = delete;

  Calendar& calendar();
  ControlHosting& hosting() { return *hosting_; }

  Variant get(std::string_view name);
  void put(std::string_view name, const Variant& value);
  Variant call(std::string_view name, const std::vector<Variant>& args);

 private:
  ComPtr<Dispatch> dispatch_;
  ComPtr<ControlHosting> hosting_;
  ComPtr<EventSource> source_;
  std::uint32_t cookie_ = 0;
  Calendar* calendar_ = nullptr;
};

// A control made in this program (no registry, no module).
ComPtr<Unknown> make_in_process_control();

}  // namespace dnovar::script
