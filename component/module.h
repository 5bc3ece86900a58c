// A component module: a shared library exporting four entry points with C linkage.
//
//   Status DllRegisterServer();      enters the module's classes into the registry
//   Status DllUnregisterServer();    removes exactly what registration entered
//   Status DllGetClassObject(const Guid& clsid, const Guid& iid, void** out);
//   Status DllCanUnloadNow();        ok when no object and no lock remain, else ok_false
//
// Which registry: the entry points take no argument, so the host names its registry file in the
// environment variable DNOVAR_REGISTRY before calling them; without it the module uses the
// user's default registry (component/registry.h, Registry::default_path). A module finds its own
// path for the registry with module_path_of.
//
// Build a module with hidden visibility and export only the four entries (module_exports.map; on
// Windows module_exports.def), so its copy of the platform code, and of module_state, stays its
// own.
#pragma once

#include <filesystem>
#include <string>

#include "component/class_factory.h"

#ifdef _WIN32
// A DLL exports what its .def file lists and nothing else.
#define DNOVAR_MODULE_EXPORT extern "C"
#else
#define DNOVAR_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace dnovar {

using RegisterServerFn = Status (*)();
using UnregisterServerFn = Status (*)();
using GetClassObjectFn = Status (*)(const Guid& clsid, const Guid& iid, void** out);
using CanUnloadNowFn = Status (*)();

inline constexpr const char* kRegisterServerName = "DllRegisterServer";
inline constexpr const char* kUnregisterServerName = "DllUnregisterServer";
inline constexpr const char* kGetClassObjectName = "DllGetClassObject";
inline constexpr const char* kCanUnloadNowName = "DllCanUnloadNow";
inline constexpr const char* kRegistryVariable = "DNOVAR_REGISTRY";

// The path of the shared object (or program) containing `address`, e.g. of a function of the
// module; empty when unknown.
std::filesystem::path module_path_of(const void* address);

// A module opened with dlopen (LoadLibraryW on Windows) and its four entry points. Closing the
// handle is the owner's decision: close() only after can_unload_now() said ok and every pointer
// from it is released.
class LoadedModule {
 public:
  // Raises error 48 when the file cannot be loaded and 453 when an entry point is missing; the
  // message names the file and the loader's reason.
  static LoadedModule open(const std::filesystem::path& path);

  LoadedModule(LoadedModule&& other) noexcept;
  LoadedModule& operator=(LoadedModule&& other) noexcept;
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  // Keeps the library loaded: objects may still point into it. Call close() to unload.
  ~LoadedModule() = default;

  const std::filesystem::path& path() const { return path_; }
  Status register_server() const { return register_server_(); }
  Status unregister_server() const { return unregister_server_(); }
  Status get_class_object(const Guid& clsid, const Guid& iid, void** out) const {
    return get_class_object_(clsid, iid, out);
  }
  Status can_unload_now() const { return can_unload_now_(); }

  // The class factory for `clsid`; raises the failure of DllGetClassObject.
  ComponentPtr<ClassFactory> class_factory(const Guid& clsid) const;
  // Creates an instance of `clsid` and returns its `Interface`; raises on failure.
  template <typename Interface>
  ComponentPtr<Interface> create(const Guid& clsid) const {
    ComponentPtr<Interface> instance;
    check_status(class_factory(clsid)->create_instance(nullptr, Interface::iid, instance.put()));
    return instance;
  }

  // Unloads the library when it can be unloaded; true when it was. The entry points are gone
  // afterwards.
  bool close();

 private:
  LoadedModule() = default;

  std::filesystem::path path_;
  void* handle_ = nullptr;
  RegisterServerFn register_server_ = nullptr;
  UnregisterServerFn unregister_server_ = nullptr;
  GetClassObjectFn get_class_object_ = nullptr;
  CanUnloadNowFn can_unload_now_ = nullptr;
};

}  // namespace dnovar
