// An exclusive advisory lock on a lock file, held for a read-modify-write of a shared file (the
// registry): every writer that takes it sees the changes of the writer before. The lock file
// stays in place; removing it would let two writers lock two different files.
#pragma once

#include <chrono>
#include <filesystem>

namespace dnovar {

class FileLock {
 public:
  // Waits up to `timeout` for the lock on `lock_file`, creating it (and its folder) when missing.
  // Raises 75 naming the file when it cannot be created or the wait runs out.
  FileLock(const std::filesystem::path& lock_file, std::chrono::milliseconds timeout);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  long long handle_ = -1;  // a descriptor here, a HANDLE on Windows
};

}  // namespace dnovar
