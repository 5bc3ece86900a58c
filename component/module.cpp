// What a loaded module does the same on every platform; loading is in module_posix.cpp and
// module_win.cpp.
#include "component/module.h"

#include <utility>

namespace dnovar {

LoadedModule::LoadedModule(LoadedModule&& other) noexcept {
  *this = std::move(other);
}

LoadedModule& LoadedModule::operator=(LoadedModule&& other) noexcept {
  path_ = std::move(other.path_);
  handle_ = std::exchange(other.handle_, nullptr);
  register_server_ = std::exchange(other.register_server_, nullptr);
  unregister_server_ = std::exchange(other.unregister_server_, nullptr);
  get_class_object_ = std::exchange(other.get_class_object_, nullptr);
  can_unload_now_ = std::exchange(other.can_unload_now_, nullptr);
  return *this;
}

ComponentPtr<ClassFactory> LoadedModule::class_factory(const Guid& clsid) const {
  ComponentPtr<ClassFactory> factory;
  check_status(get_class_object(clsid, ClassFactory::iid, factory.put()));
  return factory;
}

}  // namespace dnovar
