#include "apps/common/control_registration.h"

#include <algorithm>
#include <optional>

#include "component/file_io.h"
#include "component/module.h"
#include "platform/environment.h"

namespace dnovar::app {

namespace {

// The module the registry names for `prog_id`, when that module exists.
std::optional<std::filesystem::path> registered_module(const Registry& registry,
                                                       std::string_view prog_id) {
  const auto clsid = registry.find_prog_id(prog_id);
  const auto registration = clsid ? registry.find_class(*clsid) : std::nullopt;
  std::error_code ignored;
  if (!registration || !std::filesystem::exists(registration->module, ignored)) return {};
  return registration->module;
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code ignored;
  return std::filesystem::equivalent(a, b, ignored);
}

std::string name_of(const ClassRegistration& entry) {
  return entry.prog_id.empty() ? format_guid(entry.clsid) : entry.prog_id;
}

bool contains(const std::vector<ClassRegistration>& entries, const ClassRegistration& entry) {
  return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

}  // namespace

std::vector<std::string> run_registration(ModuleCache& modules, const std::filesystem::path& module,
                                          const std::filesystem::path& registry,
                                          Registration what) {
  const Registry read(registry);
  const std::vector<ClassRegistration> before = read.classes();
  set_environment(kRegistryVariable, registry);
  const LoadedModule& loaded = modules.load(module);
  check_status(what == Registration::add ? loaded.register_server() : loaded.unregister_server());
  const std::vector<ClassRegistration> after = read.classes();
  // Entered: what names this module now (registering again changes nothing, and another
  // program registering at the same moment enters other modules). Removed: what is gone.
  std::vector<std::string> names;
  if (what == Registration::add) {
    for (const ClassRegistration& entry : after) {
      if (same_file(entry.module, module)) names.push_back(name_of(entry));
    }
  } else {
    for (const ClassRegistration& entry : before) {
      if (!contains(after, entry)) names.push_back(name_of(entry));
    }
  }
  return names;
}

RegistrationCheck ensure_registered(const Registry& registry, ModuleCache& modules,
                                    std::string_view prog_id, const ControlModule& module) {
  const std::optional<std::filesystem::path> named = registered_module(registry, prog_id);
  if (named && (!module.installed_with_program || same_file(*named, module.path))) return {};
  run_registration(modules, module.path, registry.file(), Registration::add);
  RegistrationCheck check{true, {}};
  if (named) {
    check.replacement = std::string(prog_id) + " in " + path_text(registry.file()) + " named " +
                        path_text(*named) + "; registered " + path_text(module.path) +
                        ", the module installed with this program";
  }
  return check;
}

}  // namespace dnovar::app
