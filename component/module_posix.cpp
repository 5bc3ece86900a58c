// Modules on POSIX: dlopen, dlsym, dladdr.
#include <dlfcn.h>

#include <utility>

#include "component/file_io.h"
#include "component/module.h"

namespace dnovar {

std::filesystem::path module_path_of(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code ignored;
  const std::filesystem::path path = std::filesystem::absolute(info.dli_fname, ignored);
  return path.lexically_normal();
}

namespace {

std::string loader_error() {
  const char* reason = dlerror();
  return reason != nullptr ? reason : "unknown reason";
}

template <typename Function>
Function resolve(void* handle, const char* name, const std::filesystem::path& path) {
  dlerror();
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    const std::string reason = loader_error();
    dlclose(handle);
    throw RuntimeError(error_number::missing_entry_point, "Can't find DLL entry point " +
                                                              std::string(name) + " in " +
                                                              path_text(path) + ": " + reason);
  }
  return reinterpret_cast<Function>(symbol);
}

}  // namespace

LoadedModule LoadedModule::open(const std::filesystem::path& path) {
  // RTLD_LOCAL keeps the module's symbols out of the global scope, so two modules never mix.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    throw RuntimeError(error_number::cannot_load_module,
                       "Error in loading DLL " + path_text(path) + ": " + loader_error());
  }
  LoadedModule module;
  module.path_ = path;
  module.register_server_ = resolve<RegisterServerFn>(handle, kRegisterServerName, path);
  module.unregister_server_ = resolve<UnregisterServerFn>(handle, kUnregisterServerName, path);
  module.get_class_object_ = resolve<GetClassObjectFn>(handle, kGetClassObjectName, path);
  module.can_unload_now_ = resolve<CanUnloadNowFn>(handle, kCanUnloadNowName, path);
  module.handle_ = handle;
  return module;
}

bool LoadedModule::close() {
  if (handle_ == nullptr) return true;
  if (can_unload_now() != Status::ok) return false;
  dlclose(std::exchange(handle_, nullptr));
  register_server_ = nullptr;
  unregister_server_ = nullptr;
  get_class_object_ = nullptr;
  can_unload_now_ = nullptr;
  return true;
}

}  // namespace dnovar
