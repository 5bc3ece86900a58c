#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <system_error>
#include <thread>

#include "component/file_io.h"
#include "component/file_lock.h"
#include "component/system_message_win.h"

namespace dnovar {

FileLock::FileLock(const std::filesystem::path& lock_file, std::chrono::milliseconds timeout) {
  std::error_code ignored;  // a folder that cannot be made shows as the open's failure
  if (lock_file.has_parent_path())
    std::filesystem::create_directories(lock_file.parent_path(), ignored);
  const HANDLE file = CreateFileW(lock_file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    raise_file_access(lock_file, "cannot open", system_message(GetLastError()));
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  OVERLAPPED whole_file{};
  while (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &whole_file)) {
    const DWORD error = GetLastError();
    if (error != ERROR_LOCK_VIOLATION || std::chrono::steady_clock::now() >= deadline) {
      CloseHandle(file);
      if (error != ERROR_LOCK_VIOLATION)
        raise_file_access(lock_file, "cannot lock", system_message(error));
      raise_file_access(
          lock_file, "cannot lock",
          "another program still holds the lock after " + std::to_string(timeout.count()) + " ms");
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
    whole_file = OVERLAPPED{};
  }
  handle_ = static_cast<long long>(reinterpret_cast<std::intptr_t>(file));
}

FileLock::~FileLock() {
  // Closing the handle releases the lock.
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle_)));
}

}  // namespace dnovar
