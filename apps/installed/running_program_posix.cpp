#include <filesystem>
#include <system_error>

#include "apps/installed/running_program.h"

namespace dnovar::app {

std::filesystem::path running_program() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program;
}

}  // namespace dnovar::app
