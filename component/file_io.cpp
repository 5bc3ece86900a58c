// What reading and replacing files does the same on every platform; replace_file is in
// file_io_posix.cpp and file_io_win.cpp.
#include "component/file_io.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/error.h"

namespace dnovar {

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::filesystem::path path_from_text(std::string_view text) {
  return std::u8string(text.begin(), text.end());
}

void raise_file_access(const std::filesystem::path& path, const std::string& what,
                       const std::string& reason) {
  throw RuntimeError(error_number::file_access,
                     "Path/File access error: " + what + " " + path_text(path) + ": " + reason);
}

void require_folder(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error))
    throw RuntimeError(error_number::path_not_found, "Path not found: " + path_text(folder));
}

namespace {

[[noreturn]] void raise_access(const std::filesystem::path& path, const std::string& what,
                               int error) {
  raise_file_access(path, what, std::strerror(error));
}

}  // namespace

std::string read_file(const std::filesystem::path& path, std::size_t max_bytes) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) {
    throw RuntimeError(error_number::file_not_found, "File not found: " + path_text(path));
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw RuntimeError(error_number::file_access,
                       "Path/File access error: " + path_text(path) + " is not a file");
  }
  const auto size = std::filesystem::file_size(path, error);
  if (error) raise_access(path, "cannot read", error.value());
  if (size > max_bytes) {
    throw RuntimeError(error_number::invalid_file_format,
                       "Invalid file format: " + path_text(path) + " is larger than " +
                           std::to_string(max_bytes) + " bytes");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) raise_access(path, "cannot open", errno);
  std::string contents;
  // One byte more than allowed tells a file that grew since the size check.
  contents.resize(max_bytes + 1);
  in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (in.bad()) raise_access(path, "cannot read", errno);
  contents.resize(static_cast<std::size_t>(in.gcount()));
  if (contents.size() > max_bytes) {
    throw RuntimeError(error_number::invalid_file_format,
                       "Invalid file format: " + path_text(path) + " is larger than " +
                           std::to_string(max_bytes) + " bytes");
  }
  return contents;
}

}  // namespace dnovar
