// Modules on Windows: LoadLibraryW, GetProcAddress, GetModuleHandleExW for a module's own path.
#include <windows.h>

#include <utility>

#include "component/file_io.h"
#include "component/module.h"
#include "component/system_message_win.h"

namespace dnovar {

std::filesystem::path module_path_of(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(address), &module))
    return {};
  // Paths longer than MAX_PATH: grow the buffer until the name fits.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return std::filesystem::path(name).lexically_normal();
}

namespace {

template <typename Function>
Function resolve(HMODULE handle, const char* name, const std::filesystem::path& path) {
  const FARPROC symbol = GetProcAddress(handle, name);
  if (symbol == nullptr) {
    const std::string reason = system_message(GetLastError());
    FreeLibrary(handle);
    throw RuntimeError(error_number::missing_entry_point, "Can't find DLL entry point " +
                                                              std::string(name) + " in " +
                                                              path_text(path) + ": " + reason);
  }
  // GetProcAddress returns every entry as FARPROC; the module's .def file names what it is.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(symbol));
}

}  // namespace

LoadedModule LoadedModule::open(const std::filesystem::path& path) {
  // Backslashes: LoadLibraryW takes forward slashes only in some forms of path.
  const std::filesystem::path native = std::filesystem::path(path).make_preferred();
  // No error dialog for a file that is not a module: the caller gets the error instead.
  const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE handle = LoadLibraryW(native.c_str());
  const DWORD error = GetLastError();
  SetErrorMode(previous_mode);
  if (handle == nullptr) {
    throw RuntimeError(error_number::cannot_load_module,
                       "Error in loading DLL " + path_text(path) + ": " + system_message(error));
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
  FreeLibrary(static_cast<HMODULE>(std::exchange(handle_, nullptr)));
  register_server_ = nullptr;
  unregister_server_ = nullptr;
  get_class_object_ = nullptr;
  can_unload_now_ = nullptr;
  return true;
}

}  // namespace dnovar
