// Replacing a file on Windows: a new file beside it (written through and flushed), then
// MoveFileExW over the old one with write-through. Paths stay wide throughout, so any name the
// file system takes works.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <system_error>

#include "component/file_io.h"
#include "component/system_message_win.h"

namespace dnovar {

namespace {

[[noreturn]] void raise_system(const std::filesystem::path& path, const std::string& what,
                               DWORD error) {
  raise_file_access(path, what, system_message(error));
}

// Closes the handle and deletes the temporary file unless the replacement has taken it over.
class TemporaryFile {
 public:
  // A new file named `beside` + ".PROCESS.COUNT.tmp"; a name already taken is skipped.
  explicit TemporaryFile(const std::filesystem::path& beside) {
    static std::atomic<unsigned> count{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
      name_ = beside;
      name_ +=
          L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(count++) + L".tmp";
      handle_ = CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
      error_ = handle_ == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
      if (error_ != ERROR_FILE_EXISTS) break;
    }
    created_ = opened();
  }
  ~TemporaryFile() {
    if (opened()) CloseHandle(handle_);
    if (created_ && !renamed_) DeleteFileW(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE handle() const { return handle_; }
  DWORD error() const { return error_; }
  const std::filesystem::path& name() const { return name_; }
  // Closes before the replacement; false (GetLastError set) when the close fails.
  bool close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }
  void mark_renamed() { renamed_ = true; }

 private:
  std::filesystem::path name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  DWORD error_ = ERROR_SUCCESS;
  bool created_ = false;
  bool renamed_ = false;
};

}  // namespace

void replace_file(const std::filesystem::path& path, std::string_view contents,
                  MissingFolder missing_folder) {
  std::error_code error;
  // The calls below want whole paths with backslashes; messages keep the path as given.
  const std::filesystem::path target = std::filesystem::absolute(path, error).make_preferred();
  if (error) raise_file_access(path, "cannot resolve", error.message());
  const std::filesystem::path folder = target.parent_path();
  if (missing_folder == MissingFolder::refuse) {
    require_folder(folder);
  } else {
    std::filesystem::create_directories(folder, error);
    if (error) raise_file_access(folder, "cannot create folder", error.message());
  }

  // MoveFileExW is not to be trusted with a folder in the file's place.
  if (const DWORD attributes = GetFileAttributesW(target.c_str());
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    raise_file_access(path, "cannot replace", "it is a folder");

  TemporaryFile temporary(folder / (L"." + target.filename().native()));
  if (!temporary.opened()) raise_system(path, "cannot create a file beside", temporary.error());
  std::size_t written = 0;
  while (written < contents.size()) {
    const auto chunk =
        static_cast<DWORD>(std::min<std::size_t>(contents.size() - written, 1 << 30));
    DWORD step = 0;
    if (!WriteFile(temporary.handle(), contents.data() + written, chunk, &step, nullptr))
      raise_system(path, "cannot write", GetLastError());
    written += step;
  }
  if (!FlushFileBuffers(temporary.handle())) raise_system(path, "cannot flush", GetLastError());
  if (!temporary.close()) raise_system(path, "cannot write", GetLastError());
  // One rename over the old file, flushed before it returns; when it fails (a reader holds the old
  // file open without delete sharing) the old file stays whole. ReplaceFileW would keep the old
  // file's attributes too, but leaves a backup file of its own behind when it fails.
  if (!MoveFileExW(temporary.name().c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    raise_system(path, "cannot replace", GetLastError());
  temporary.mark_renamed();
}

}  // namespace dnovar
