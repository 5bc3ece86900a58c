#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>

#include "component/file_lock.h"
#include "platform/error.h"

namespace dnovar {

namespace {

[[noreturn]] void raise_lock_failure(const std::filesystem::path& file, const std::string& what) {
  throw RuntimeError(error_number::file_access,
                     "Path/File access error: " + what + " " + file.string());
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& lock_file, std::chrono::milliseconds timeout) {
  std::error_code ignored;  // a folder that cannot be made shows as the open's failure
  if (lock_file.has_parent_path())
    std::filesystem::create_directories(lock_file.parent_path(), ignored);
  const int fd = ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0)
    raise_lock_failure(lock_file, std::string("cannot open (") + std::strerror(errno) + ")");
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      if (error != EWOULDBLOCK)
        raise_lock_failure(lock_file, std::string("cannot lock (") + std::strerror(error) + ")");
      raise_lock_failure(lock_file, "another program still holds the lock after " +
                                        std::to_string(timeout.count()) + " ms:");
    }
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
  handle_ = fd;
}

FileLock::~FileLock() {
  // Closing the descriptor releases the lock.
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace dnovar
