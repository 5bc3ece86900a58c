// replace_file on POSIX systems, with Linux's unnamed temporary files where the file system has
// them (the rules are in file_io.h).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

#include "component/file_io.h"
#include "platform/error.h"

namespace dnovar {

namespace {

constexpr std::string_view kTemporaryPrefix = ".dnovar-";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kRandomLetters = 6;
constexpr int kMaxSymlinkHops = 40;

[[noreturn]] void raise_access(const std::filesystem::path& path, const std::string& what,
                               int error) {
  throw RuntimeError(error_number::file_access, "Path/File access error: " + what + " " +
                                                    path.string() + ": " + std::strerror(error));
}

// The file a save replaces: `path`, or the file its chain of symbolic links ends at (which need
// not exist yet).
std::filesystem::path write_target(const std::filesystem::path& path) {
  std::filesystem::path target = path;
  for (int hops = 0;; ++hops) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(target, error);
    if (error || !std::filesystem::is_symlink(status)) return target;
    if (hops == kMaxSymlinkHops) raise_access(path, "cannot follow the links of", ELOOP);
    const std::filesystem::path link = std::filesystem::read_symlink(target, error);
    if (error) raise_access(path, "cannot read the link", error.value());
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
}

bool is_random_letters(std::string_view text) {
  if (text.size() != kRandomLetters) return false;
  for (const char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Ours: ".dnovar-XXXXXX.tmp", or ".NAME.XXXXXX", the temporaries of NAME that earlier versions
// named after the target.
bool is_our_temporary(std::string_view name, std::string_view target_name) {
  const auto between = [&](std::string_view prefix, std::string_view suffix) {
    return name.size() == prefix.size() + kRandomLetters + suffix.size() &&
           name.substr(0, prefix.size()) == prefix &&
           name.substr(name.size() - suffix.size()) == suffix &&
           is_random_letters(name.substr(prefix.size(), kRandomLetters));
  };
  const std::string old_prefix = "." + std::string(target_name) + ".";
  return between(kTemporaryPrefix, kTemporarySuffix) || between(old_prefix, "");
}

std::string random_letters() {
  static std::atomic<unsigned long long> counter{0};
  constexpr std::string_view letters =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  unsigned long long seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<unsigned long long>(::getpid()) << 32) ^ (counter++ * 0x9E3779B97F4A7C15ULL);
  std::string text;
  for (std::size_t i = 0; i < kRandomLetters; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    text.push_back(letters[(seed >> 33) % letters.size()]);
  }
  return text;
}

// A temporary file in the target's folder, locked for as long as it is open so that another
// save knows it is in use. Unnamed (O_TMPFILE) where the file system allows; it gets a name only
// for the rename, and the destructor removes a name the rename did not take over.
class TemporaryFile {
 public:
  enum class Kind { unnamed_if_possible, named };
  TemporaryFile(const std::filesystem::path& folder, mode_t mode, Kind kind) : folder_(folder) {
#ifdef O_TMPFILE
    if (kind == Kind::unnamed_if_possible) {
      fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
      if (fd_ >= 0 && ::flock(fd_, LOCK_EX) == 0) return;
      close_quietly();
    }
#endif
    open_named(mode);
  }
  ~TemporaryFile() {
    close_quietly();
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const {
    return fd_;
  }
  bool named() const {
    return !name_.empty();
  }

  // Links an unnamed file into the folder; false (errno set) when the system refuses.
  bool give_name() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = candidate_name();
      const std::string self = "/proc/self/fd/" + std::to_string(fd_);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        name_ = name;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }
  // Closes, reporting a failed write as errno.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  bool rename_over(const std::filesystem::path& target) {
    if (std::rename(name_.c_str(), target.c_str()) != 0) return false;
    name_.clear();
    return true;
  }

 private:
  std::string candidate_name() const {
    return (folder_ /
            (std::string(kTemporaryPrefix) + random_letters() + std::string(kTemporarySuffix)))
        .string();
  }
  void open_named(mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = candidate_name();
      fd_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
      if (fd_ >= 0) {
        name_ = name;
        ::flock(fd_, LOCK_EX);
        return;
      }
      if (errno != EEXIST) return;
    }
  }
  void close_quietly() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  std::filesystem::path folder_;
  std::string name_;
  int fd_ = -1;
};

void write_all(int fd, std::string_view contents, const std::filesystem::path& path) {
  std::size_t written = 0;
  while (written < contents.size()) {
    const ssize_t step = ::write(fd, contents.data() + written, contents.size() - written);
    if (step < 0) {
      if (errno == EINTR) continue;
      raise_access(path, "cannot write", errno);
    }
    written += static_cast<std::size_t>(step);
  }
}

// Removes the temporaries a killed save left in `folder`: those of our pattern that nobody holds
// locked. A save in progress holds its own lock, so it is never touched.
void remove_stale_temporaries(const std::filesystem::path& folder, std::string_view target_name) {
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = item.path().filename().string();
    if (!is_our_temporary(name, target_name)) continue;
    const int fd = ::open(item.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat opened {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::lstat(item.path().c_str(), &named) == 0 && S_ISREG(opened.st_mode) &&
        opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) {
      ::unlink(item.path().c_str());
    }
    ::close(fd);
  }
}

}  // namespace

void replace_file(const std::filesystem::path& path, std::string_view contents,
                  MissingFolder missing_folder) {
  const std::filesystem::path target = write_target(path);
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  if (missing_folder == MissingFolder::refuse) {
    require_folder(folder);
  } else {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) raise_access(folder, "cannot create folder", error.value());
  }

  // A new file gets what the umask leaves of 0666; a replaced one keeps its mode and owner.
  mode_t mode = 0666;
  std::optional<struct stat> existing;
  if (struct stat status{}; ::stat(target.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) {
      throw RuntimeError(error_number::file_access,
                         "Path/File access error: " + path.string() + " is not a file");
    }
    if (::access(target.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0)
      raise_access(path, "cannot replace the read-only file", EACCES);
    existing = status;
    mode = status.st_mode & 07777;
  }

  // Fills a temporary file and flushes it to the disk.
  const auto fill = [&](TemporaryFile& temporary) {
    if (temporary.fd() < 0) raise_access(path, "cannot create a file beside", errno);
    if (existing) {
      // Only the owner (or root) may hand a file on; a group change may be refused as well.
      if (existing->st_uid != ::geteuid() || existing->st_gid != ::getegid())
        (void)::fchown(temporary.fd(), existing->st_uid, existing->st_gid);
      if (::fchmod(temporary.fd(), mode) != 0) raise_access(path, "cannot set the mode of", errno);
    }
    write_all(temporary.fd(), contents, path);
    if (::fsync(temporary.fd()) != 0) raise_access(path, "cannot flush", errno);
  };
  std::optional<TemporaryFile> temporary;
  temporary.emplace(folder, mode, TemporaryFile::Kind::unnamed_if_possible);
  fill(*temporary);
  if (!temporary->named() && !temporary->give_name()) {
    // An unnamed file is linked in through /proc; without it, a named file from the start.
    temporary.emplace(folder, mode, TemporaryFile::Kind::named);
    fill(*temporary);
  }
  // Renamed while still open and locked, so that no other save takes it for a stale one.
  if (!temporary->rename_over(target)) raise_access(path, "cannot replace", errno);
  if (!temporary->close()) raise_access(path, "cannot write", errno);
  // The rename itself is durable once the folder is flushed; failing that is not worth an error.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
  remove_stale_temporaries(folder, target.filename().string());
}

}  // namespace dnovar
