// Creating objects the way a host does: ProgID -> class id (registry) -> module (loaded once and
// kept) -> class factory -> instance.
#pragma once

#include <filesystem>
#include <map>
#include <string_view>

#include "component/module.h"
#include "component/registry.h"

namespace dnovar {

class ModuleCache {
 public:
  // The module at `path`, loaded on first use (errors 48, 453).
  const LoadedModule& load(const std::filesystem::path& path);
  // Unloads every module that says it can be unloaded; returns how many remain loaded.
  std::size_t unload_unused();

 private:
  std::map<std::filesystem::path, LoadedModule> modules_;
};

// The `iid` interface of a new instance of the class registered under `prog_id`, created through
// its module; the caller owns one reference. Raises 429 when the ProgID or its class is not
// registered, the module's load errors (48, 453), and the factory's failure.
void* create_registered_instance(const Registry& registry, ModuleCache& modules,
                                 std::string_view prog_id, const Guid& iid);

template <typename Interface = Unknown>
ComponentPtr<Interface> create_registered(const Registry& registry, ModuleCache& modules,
                                          std::string_view prog_id) {
  return ComponentPtr<Interface>::adopt(static_cast<Interface*>(
      create_registered_instance(registry, modules, prog_id, Interface::iid)));
}

}  // namespace dnovar
