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

// The path as UTF-8, for messages and for files that store paths (`path.string()` is in the ANSI
// code page on Windows and fails on characters outside it).
std::string path_text(const std::filesystem::path& path);
// The path that path_text wrote.
std::filesystem::path path_from_text(std::string_view text);

// Raises 75 "Path/File access error: WHAT PATH: REASON".
[[noreturn]] void raise_file_access(const std::filesystem::path& path, const std::string& what,
                                    const std::string& reason);

// Writes `contents` to a new file in the same folder (creating the folder) and renames it over
// `path`: the old file stays whole until the new one is complete and flushed. Raises 75 on any
// failure, leaving the old file as it was and no temporary file behind. On Windows the paths are
// wide throughout and the new file replaces the old with MoveFileExW, written through to the
// disk; a reader holding the old file open (without delete sharing) makes the replacement fail.
void replace_file(const std::filesystem::path& path, std::string_view contents);

}  // namespace dnovar
