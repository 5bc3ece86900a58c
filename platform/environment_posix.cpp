// The environment on POSIX: narrow bytes, taken as they are.
#include <cstdlib>

#include "platform/environment.h"

namespace dnovar {

const char* const kUserDataVariables = "XDG_DATA_HOME or HOME";

std::optional<std::filesystem::path> environment_path(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::filesystem::path(value);
}

void set_environment(const char* name, const std::filesystem::path& value) {
  ::setenv(name, value.c_str(), 1);
}

void unset_environment(const char* name) {
  ::unsetenv(name);
}

std::optional<std::filesystem::path> user_data_folder() {
  if (auto data = environment_path("XDG_DATA_HOME")) return data;
  if (auto home = environment_path("HOME")) return *home / ".local" / "share";
  return std::nullopt;
}

}  // namespace dnovar
