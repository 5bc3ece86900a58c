// Making sure the registry can create the control before the container asks it to.
#pragma once

#include <filesystem>
#include <string_view>

#include "com/activation.h"
#include "com/registry.h"

namespace dnovar::container {

// Registers `module` (its DllRegisterServer, pointed at `registry`'s file) when `prog_id` is not
// registered there, or when the module the registry names for it no longer exists. A ProgID that
// names an existing module is left alone: the registry decides which module the container uses.
// True when it registered. Raises the module's load errors (48, 453) and its registration failure.
bool ensure_registered(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                       const std::filesystem::path& module);

}  // namespace dnovar::container
