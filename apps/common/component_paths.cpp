#include "apps/common/component_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace dnovar::app {

std::filesystem::path control_module_path() {
  if (const char* module = std::getenv("DNOVAR_MODULE"); module != nullptr && *module != '\0')
    return module;
  return DNOVAR_MODULE_PATH;
}

TemporaryRegistry::TemporaryRegistry() {
  if (const char* registry = std::getenv("DNOVAR_REGISTRY");
      registry != nullptr && *registry != '\0') {
    path_ = registry;
    return;
  }
  const std::filesystem::path directory = std::filesystem::temp_directory_path();
  std::string name = (directory / "dnovar-registry-XXXXXX").string();
  const int fd = ::mkstemp(name.data());
  if (fd >= 0) ::close(fd);
  // The file starts empty, which the registry reads as no classes; a missing file reads the same.
  std::filesystem::remove(name);
  path_ = name;
  owned_ = true;
}

TemporaryRegistry::~TemporaryRegistry() {
  if (!owned_) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace dnovar::app
