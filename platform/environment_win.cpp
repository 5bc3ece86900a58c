// The environment on Windows: the C runtime's wide copy, which _wputenv_s keeps in step with the
// process's own (and the component modules share, as they share the C runtime DLL).
#include <cstdlib>
#include <string>

#include "platform/environment.h"

namespace dnovar {

namespace {

// Variable names are ASCII.
std::wstring wide_name(const char* name) {
  return std::wstring(name, name + std::char_traits<char>::length(name));
}

}  // namespace

const char* const kUserDataVariables = "APPDATA";

std::optional<std::filesystem::path> environment_path(const char* name) {
  const wchar_t* value = _wgetenv(wide_name(name).c_str());
  if (value == nullptr || *value == L'\0') return std::nullopt;
  return std::filesystem::path(value);
}

void set_environment(const char* name, const std::filesystem::path& value) {
  _wputenv_s(wide_name(name).c_str(), value.c_str());
}

void unset_environment(const char* name) {
  // An empty value removes the variable.
  _wputenv_s(wide_name(name).c_str(), L"");
}

std::optional<std::filesystem::path> user_data_folder() {
  return environment_path("APPDATA");
}

}  // namespace dnovar
