// Registering the control's module in a registry file: the one rule every program follows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "apps/common/component_paths.h"
#include "component/activation.h"
#include "component/registry.h"

namespace dnovar::app {

enum class Registration { add, remove };

// Runs the module's DllRegisterServer (add) or DllUnregisterServer (remove) against `registry`.
// The entry points find their registry in the environment, so DNOVAR_REGISTRY is set to it first.
// Returns the ProgIDs (a class id where a class has none) of the classes the module entered (the
// entries that name it afterwards) or removed (the entries gone afterwards). Raises 5 for an
// empty registry name, the module's load errors (48, 453) and the entry point's failure.
std::vector<std::string> run_registration(ModuleCache& modules, const std::filesystem::path& module,
                                          const std::filesystem::path& registry, Registration what);

// What ensure_registered did.
struct RegistrationCheck {
  bool registered = false;
  // When registering replaced another module that the registry named for the ProgID, a line
  // saying so: "PROGID in REGISTRY named OLD; registered NEW, the module installed with this
  // program". Empty otherwise.
  std::string replacement;
};

// Registers `module` when `prog_id` is not registered in `registry`, when the module the registry
// names for it no longer exists, or, for the module installed with the program, when the registry
// names any other module: an installed program uses its own. Otherwise a ProgID that names an
// existing module is left alone: the registry decides which module a program uses.
RegistrationCheck ensure_registered(const Registry& registry, ModuleCache& modules,
                                    std::string_view prog_id, const ControlModule& module);

}  // namespace dnovar::app
