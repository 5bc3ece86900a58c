// Reading and replacing small files whole, for the registry and property-bag files.
//
// replace_file's rules, the same on every platform (docs/bag-format.md, "Saving"):
// - the new contents go to a temporary file in the target's folder, flushed, then renamed over the
//   target: a reader (or a crash) sees the old file or the new one, never a mix;
// - a symbolic link is written through: its target is replaced and the link stays;
// - the replaced file keeps its permissions (and its owner where the user may set it); a new file
//   gets the usual ones (0666 less the umask);
// - a file the user may not write, or one without any write permission, is refused (75) and kept;
// - temporary names are short (".dnovar-XXXXXX.tmp") so that any legal file name can be saved;
//   on Linux the temporary file has no name until it is complete, and each save removes the
//   temporaries that an earlier, killed save left in the folder.
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

// Raises 76 "Path not found: FOLDER" unless `folder` is a folder that exists.
void require_folder(const std::filesystem::path& folder);

// What replace_file does when the folder the file goes in does not exist: the program's own files
// (the registry) make it; a file the user named must not leave new folders behind on a typing
// error (a program running as root could make them anywhere), so it raises 76 (require_folder).
enum class MissingFolder { create, refuse };

// Replaces the file at `path` by `contents`, as described above. The folder is that of the file
// actually written: a symbolic link's target's. Raises 75 on any failure, leaving the old file as
// it was. On Windows the paths are wide throughout and the new file replaces the old with
// MoveFileExW, written through to the disk; a reader holding the old file open (without delete
// sharing) makes the replacement fail.
void replace_file(const std::filesystem::path& path, std::string_view contents,
                  MissingFolder missing_folder = MissingFolder::create);

}  // namespace dnovar
