// A control instance as the script host drives it: its calendar (for show, state and user input)
// and its properties and methods by name.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "platform/variant.h"

namespace dnovar::script {

class ScriptInstance {
 public:
  virtual ~ScriptInstance() = default;
  virtual Calendar& calendar() = 0;
  virtual Variant get(std::string_view name) = 0;
  virtual void put(std::string_view name, const Variant& value) = 0;
  virtual Variant call(std::string_view name, const std::vector<Variant>& args) = 0;
};

// An instance whose members hold their defaults and whose widgets are as created. Reaches the
// calendar's accessors directly.
std::unique_ptr<ScriptInstance> make_direct_instance(ControlSite& site);

}  // namespace dnovar::script
