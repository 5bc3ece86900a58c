// Reading and replacing small files whole, for the registry and property-bag files.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace dnovar {

// The whole file. Raises 53 when it does not exist, 75 when it cannot be read, and 321 when it is
// larger than `max_bytes` (checked before reading, so a huge file costs nothing).
std::string read_file(const std::filesystem::path& path, std::size_t max_bytes);

// Writes `contents` to a new file in the same folder (creating the folder) and renames it over
// `path`: the old file stays whole until the new one is complete and flushed. Raises 75 on any
// failure, leaving the old file as it was and no temporary file behind.
void replace_file(const std::filesystem::path& path, std::string_view contents);

}  // namespace dnovar
