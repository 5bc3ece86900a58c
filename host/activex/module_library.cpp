#include "host/activex/module_library.h"

#include <string>

namespace dnovar {

HINSTANCE this_module() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&this_module), &module);
  return module;
}

std::filesystem::path this_module_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(this_module(), path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

HRESULT load_module_library(ComRef<ITypeLib>& library) {
  if (library) return S_OK;
  return LoadTypeLibEx(this_module_path().wstring().c_str(), REGKIND_NONE, library.put());
}

}  // namespace dnovar
