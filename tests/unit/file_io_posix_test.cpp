#include "component/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "component/file_lock.h"
#include "tests/unit/error_of.h"

namespace dnovar {
namespace {

using testing_support::error_of;
namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("dnovar_file_io_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::string contents(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void write(const fs::path& file, const std::string& text, mode_t mode) {
    std::ofstream(file) << text;
    ::chmod(file.c_str(), mode);
  }
  static mode_t mode_of(const fs::path& file) {
    struct stat status {};
    ::lstat(file.c_str(), &status);
    return status.st_mode & 07777;
  }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& item : fs::directory_iterator(folder_))
      found.push_back(item.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path folder_;
};

TEST_F(ReplaceFile, KeepsTheModeOfTheFileItReplaces) {
  for (const mode_t mode : {0600, 0640, 0644, 0664, 0700}) {
    const fs::path file = folder_ / "form.bag";
    write(file, "old", mode);
    replace_file(file, "new");
    EXPECT_EQ(contents(file), "new");
    EXPECT_EQ(mode_of(file), mode) << std::oct << mode;
  }
  if (::geteuid() == 0) {
    // Only root may hand a file on; everyone else keeps their own files, and the owner with them.
    const fs::path owned = folder_ / "owned.bag";
    write(owned, "old", 0640);
    ASSERT_EQ(::chown(owned.c_str(), 1234, 2345), 0);
    replace_file(owned, "new");
    struct stat status {};
    ::stat(owned.c_str(), &status);
    EXPECT_EQ(status.st_uid, 1234u);
    EXPECT_EQ(status.st_gid, 2345u);
    EXPECT_EQ(mode_of(owned), 0640u);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  replace_file(folder_ / "fresh.bag", "new");
  EXPECT_EQ(mode_of(folder_ / "fresh.bag"), 0666 & ~mask) << "a new file follows the umask";
}

TEST_F(ReplaceFile, WritesThroughSymbolicLinks) {
  const fs::path real = folder_ / "real.bag";
  write(real, "old", 0600);
  fs::create_symlink("real.bag", folder_ / "link.bag");
  fs::create_directories(folder_ / "other");
  fs::create_symlink("../link.bag", folder_ / "other" / "chain.bag");
  fs::create_symlink("missing.bag", folder_ / "dangling.bag");

  replace_file(folder_ / "link.bag", "through the link");
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.bag"));
  EXPECT_EQ(contents(real), "through the link");
  EXPECT_EQ(mode_of(real), 0600u);
  replace_file(folder_ / "other" / "chain.bag", "through two links");
  EXPECT_TRUE(fs::is_symlink(folder_ / "other" / "chain.bag"));
  EXPECT_EQ(contents(real), "through two links");
  replace_file(folder_ / "dangling.bag", "made at the target");
  EXPECT_TRUE(fs::is_symlink(folder_ / "dangling.bag"));
  EXPECT_EQ(contents(folder_ / "missing.bag"), "made at the target");

  fs::create_symlink("loop.bag", folder_ / "loop.bag");
  EXPECT_EQ(error_of([&] { replace_file(folder_ / "loop.bag", "x"); }), 75);
}

// The folder that counts is the one the file is written in: a link's target's.
TEST_F(ReplaceFile, AMissingFolderIsRefusedOrMadeAsAsked) {
  fs::create_directories(folder_ / "there");
  fs::create_symlink("new/form.bag", folder_ / "dangling.bag");
  fs::create_symlink("../dangling.bag", folder_ / "there" / "chain.bag");
  fs::create_symlink("../new/deeper/form.bag", folder_ / "there" / "deep.bag");
  const struct {
    const char* path;
    const char* written;  // where the file lands when the folder is made
  } cases[] = {
      {"new/form.bag", "new/form.bag"},
      {"dangling.bag", "new/form.bag"},
      {"there/chain.bag", "new/form.bag"},
      {"there/deep.bag", "new/deeper/form.bag"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(error_of([&] { replace_file(folder_ / c.path, "x", MissingFolder::refuse); }), 76);
    EXPECT_FALSE(fs::exists(folder_ / "new")) << "nothing is created";
    replace_file(folder_ / c.path, "made", MissingFolder::create);
    EXPECT_EQ(contents(folder_ / c.written), "made");
    fs::remove_all(folder_ / "new");
  }
}

TEST_F(ReplaceFile, RefusesAReadOnlyFileAndKeepsIt) {
  const fs::path file = folder_ / "read-only.bag";
  for (const mode_t mode : {0444, 0400, 0555}) {
    write(file, "old", mode);
    EXPECT_EQ(error_of([&] { replace_file(file, "new"); }), 75) << std::oct << mode;
    EXPECT_EQ(contents(file), "old");
    EXPECT_EQ(mode_of(file), mode);
  }
  EXPECT_EQ(names(), std::vector<std::string>{"read-only.bag"}) << "no temporary file is left";
}

TEST_F(ReplaceFile, SavesTheLongestLegalName) {
  const std::string name(255, 'n');
  replace_file(folder_ / name, "new");
  replace_file(folder_ / name, "newer");
  EXPECT_EQ(contents(folder_ / name), "newer");
  EXPECT_EQ(names(), std::vector<std::string>{name});
}

// A killed save leaves a temporary file of our pattern; the next save in the folder removes it,
// but never a temporary another save is writing (it holds a lock on it), nor anything else.
TEST_F(ReplaceFile, RemovesTheTemporariesOfKilledSaves) {
  const std::vector<std::string> stale = {".dnovar-a1B2c3.tmp", ".form.bag.Xy9z0Q"};
  const std::vector<std::string> kept = {".dnovar-inUse1.tmp", ".dnovar-short.tmp",
                                         ".other.bag.Xy9z0Q", "notes.txt", ".hidden"};
  for (const auto& name : stale) write(folder_ / name, "half", 0644);
  for (const auto& name : kept) write(folder_ / name, "keep", 0644);
  const int in_use = ::open((folder_ / ".dnovar-inUse1.tmp").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(in_use, LOCK_EX), 0);

  replace_file(folder_ / "form.bag", "new");
  ::close(in_use);
  std::vector<std::string> expected = kept;
  expected.push_back("form.bag");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(), expected);
}

TEST_F(ReplaceFile, ALockIsExclusiveAndItsWaitIsBounded) {
  const fs::path lock_file = folder_ / "sub" / "registry.json.lock";
  {
    const FileLock held(lock_file, std::chrono::milliseconds(0));
    EXPECT_TRUE(fs::exists(lock_file));
    std::string message;
    try {
      const FileLock waiting(lock_file, std::chrono::milliseconds(50));
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 75);
      message = error.what();
    }
    EXPECT_NE(message.find("still holds the lock"), std::string::npos) << message;
    EXPECT_NE(message.find(lock_file.string()), std::string::npos) << message;
  }
  EXPECT_EQ(error_of([&] { const FileLock again(lock_file, std::chrono::milliseconds(0)); }), 0)
      << "the lock ends with its holder";
}

}  // namespace
}  // namespace dnovar
