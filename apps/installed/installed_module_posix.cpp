#include "apps/installed/installed_module.h"

#include <stdlib.h>

#include <filesystem>

namespace dnovar::app {

void use_installed_module() {
  if (const char* module = std::getenv("DNOVAR_MODULE"); module != nullptr && *module != '\0')
    return;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return;
  const std::filesystem::path module =
      (program.parent_path() / DNOVAR_INSTALLED_MODULE).lexically_normal();
  if (std::filesystem::is_regular_file(module, error)) ::setenv("DNOVAR_MODULE", module.c_str(), 1);
}

}  // namespace dnovar::app
