#include "apps/container/control_registration.h"

#include <cstdlib>

#include "com/module.h"

namespace dnovar::container {

namespace {

bool registered_module_exists(const Registry& registry, std::string_view prog_id) {
  const auto clsid = registry.find_prog_id(prog_id);
  const auto registration = clsid ? registry.find_class(*clsid) : std::nullopt;
  std::error_code ignored;
  return registration && std::filesystem::exists(registration->module, ignored);
}

}  // namespace

bool ensure_registered(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                       const std::filesystem::path& module) {
  if (registered_module_exists(registry, prog_id)) return false;
  // The entry points find their registry in the environment.
  ::setenv(kRegistryVariable, registry.file().c_str(), 1);
  check_status(modules.load(module).register_server());
  return true;
}

}  // namespace dnovar::container
