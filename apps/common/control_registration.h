// Registering the control's module in a registry file: the one rule every program follows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "com/activation.h"
#include "com/registry.h"

namespace dnovar::app {

enum class Registration { add, remove };

// Runs the module's DllRegisterServer (add) or DllUnregisterServer (remove) against `registry`.
// The entry points find their registry in the environment, so DNOVAR_REGISTRY is set to it first.
// Returns the ProgIDs (a class id where a class has none) of the classes the module entered (the
// entries that name it afterwards) or removed (the entries gone afterwards). Raises 5 for an
// empty registry name, the module's load errors (48, 453) and the entry point's failure.
std::vector<std::string> run_registration(ModuleCache& modules, const std::filesystem::path& module,
                                          const std::filesystem::path& registry, Registration what);

// Registers `module` when `prog_id` is not registered in `registry`, or when the module the
// registry names for it no longer exists. A ProgID that names an existing module is left alone:
// the registry decides which module a program uses. True when it registered.
bool ensure_registered(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                       const std::filesystem::path& module);

}  // namespace dnovar::app
