#include <windows.h>

#include <string>

#include "apps/installed/running_program.h"

namespace dnovar::app {

std::filesystem::path running_program() {
  // Paths longer than MAX_PATH: grow the buffer until the name fits.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return {};
    if (length < name.size()) {
      name.resize(length);
      return std::filesystem::path(name).lexically_normal();
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace dnovar::app
