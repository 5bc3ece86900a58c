#include "apps/common/control_registration.h"

#include "com/module.h"
#include "platform/environment.h"

namespace dnovar::app {

namespace {

bool registered_module_exists(const Registry& registry, std::string_view prog_id) {
  const auto clsid = registry.find_prog_id(prog_id);
  const auto registration = clsid ? registry.find_class(*clsid) : std::nullopt;
  std::error_code ignored;
  return registration && std::filesystem::exists(registration->module, ignored);
}

}  // namespace

void run_registration(ModuleCache& modules, const std::filesystem::path& module,
                      const std::filesystem::path& registry, Registration what) {
  set_environment(kRegistryVariable, registry);
  const LoadedModule& loaded = modules.load(module);
  check_status(what == Registration::add ? loaded.register_server() : loaded.unregister_server());
}

bool ensure_registered(const Registry& registry, ModuleCache& modules, std::string_view prog_id,
                       const std::filesystem::path& module) {
  if (registered_module_exists(registry, prog_id)) return false;
  run_registration(modules, module, registry.file(), Registration::add);
  return true;
}

}  // namespace dnovar::app
