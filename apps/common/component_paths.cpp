#include "apps/common/component_paths.h"

#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/error.h"

namespace dnovar::app {

std::filesystem::path control_module_path() {
  if (const char* module = std::getenv("DNOVAR_MODULE"); module != nullptr && *module != '\0')
    return module;
  return DNOVAR_MODULE_PATH;
}

const std::filesystem::path& TemporaryRegistry::path() {
  if (!path_.empty()) return path_;
  if (const char* registry = std::getenv("DNOVAR_REGISTRY");
      registry != nullptr && *registry != '\0') {
    path_ = registry;
    return path_;
  }
  const char* temporary = std::getenv("TMPDIR");
  const std::filesystem::path base =
      temporary != nullptr && *temporary != '\0' ? temporary : "/tmp";
  // A folder of our own, so that the registry's lock file beside it goes away with it.
  std::string name = (base / "dnovar-registry-XXXXXX").string();
  if (::mkdtemp(name.data()) == nullptr) {
    throw RuntimeError(error_number::file_access,
                       "Path/File access error: cannot make a folder for a temporary registry in " +
                           base.string() + ": " + std::strerror(errno) +
                           " (set TMPDIR or DNOVAR_REGISTRY)");
  }
  owned_folder_ = name;
  path_ = owned_folder_ / "registry.json";
  return path_;
}

TemporaryRegistry::~TemporaryRegistry() {
  if (owned_folder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(owned_folder_, ignored);
}

}  // namespace dnovar::app
