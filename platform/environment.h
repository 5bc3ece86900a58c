// Environment variables that hold paths, read and set as the platform keeps them (wide on
// Windows, so a path outside the ANSI code page survives). An empty value counts as unset.
#pragma once

#include <filesystem>
#include <optional>

namespace dnovar {

std::optional<std::filesystem::path> environment_path(const char* name);
void set_environment(const char* name, const std::filesystem::path& value);
void unset_environment(const char* name);

// Where the user's own data lives: $XDG_DATA_HOME, else $HOME/.local/share; on Windows
// %APPDATA%. Nothing when none of them is set.
std::optional<std::filesystem::path> user_data_folder();
// The variables user_data_folder reads, for a message that none of them is set.
extern const char* const kUserDataVariables;

}  // namespace dnovar
