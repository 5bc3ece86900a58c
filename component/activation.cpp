#include "component/activation.h"

namespace dnovar {

const LoadedModule& ModuleCache::load(const std::filesystem::path& path) {
  if (const auto found = modules_.find(path); found != modules_.end()) return found->second;
  return modules_.emplace(path, LoadedModule::open(path)).first->second;
}

std::size_t ModuleCache::unload_unused() {
  for (auto it = modules_.begin(); it != modules_.end();) {
    it = it->second.close() ? modules_.erase(it) : std::next(it);
  }
  return modules_.size();
}

void* create_registered_instance(const Registry& registry, ModuleCache& modules,
                                 std::string_view prog_id, const Guid& iid) {
  const auto clsid = registry.find_prog_id(prog_id);
  const auto registration = clsid ? registry.find_class(*clsid) : std::nullopt;
  if (!registration) {
    throw RuntimeError(
        error_number::cannot_create_object,
        "ActiveX component can't create object: " + std::string(prog_id) + " is not registered");
  }
  const LoadedModule& module = modules.load(registration->module);
  void* instance = nullptr;
  check_status(module.class_factory(*clsid)->create_instance(nullptr, iid, &instance));
  return instance;
}

}  // namespace dnovar
