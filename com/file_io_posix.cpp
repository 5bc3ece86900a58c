// Replacing a file on POSIX: mkstemp beside it, fsync, rename, fsync of the folder.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "com/file_io.h"

namespace dnovar {

namespace {

[[noreturn]] void raise_access(const std::filesystem::path& path, const std::string& what,
                               int error) {
  raise_file_access(path, what, std::strerror(error));
}

// Closes the descriptor and removes the temporary file unless the rename has taken it over.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string name_template) : name_(std::move(name_template)) {
    fd_ = mkstemp(name_.data());
    created_ = fd_ >= 0;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (created_ && !renamed_) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool opened() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& name() const { return name_; }
  // Closes before the rename; returns false (errno set) when the close reports a failed write.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  void mark_renamed() { renamed_ = true; }

 private:
  std::string name_;
  int fd_ = -1;
  bool created_ = false;
  bool renamed_ = false;
};

}  // namespace

void replace_file(const std::filesystem::path& path, std::string_view contents) {
  const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) raise_access(folder, "cannot create folder", error.value());

  TemporaryFile temporary((folder / ("." + path.filename().string() + ".XXXXXX")).string());
  if (!temporary.opened()) raise_access(path, "cannot create a file beside", errno);
  fchmod(temporary.fd(), 0644);
  std::size_t written = 0;
  while (written < contents.size()) {
    const ssize_t step =
        ::write(temporary.fd(), contents.data() + written, contents.size() - written);
    if (step < 0) {
      if (errno == EINTR) continue;
      raise_access(path, "cannot write", errno);
    }
    written += static_cast<std::size_t>(step);
  }
  if (::fsync(temporary.fd()) != 0) raise_access(path, "cannot flush", errno);
  if (!temporary.close()) raise_access(path, "cannot write", errno);
  if (std::rename(temporary.name().c_str(), path.c_str()) != 0)
    raise_access(path, "cannot replace", errno);
  temporary.mark_renamed();
  // The rename itself is durable once the folder is flushed; failing that is not worth an error.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
}

}  // namespace dnovar
