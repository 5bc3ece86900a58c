#include "apps/common/component_paths.h"

#include <random>
#include <string>

#include "platform/environment.h"

namespace dnovar::app {

std::filesystem::path control_module_path() {
  if (auto module = environment_path("DNOVAR_MODULE")) return *module;
  return DNOVAR_MODULE_PATH;
}

TemporaryRegistry::TemporaryRegistry() {
  if (auto registry = environment_path("DNOVAR_REGISTRY")) {
    path_ = *registry;
    return;
  }
  // A name nobody uses: the file itself appears when the module registers there (a missing file
  // reads as an empty registry).
  const std::filesystem::path directory = std::filesystem::temp_directory_path();
  std::random_device random;
  std::error_code ignored;
  do {
    path_ = directory / ("dnovar-registry-" + std::to_string(random()));
  } while (std::filesystem::exists(path_, ignored));
  owned_ = true;
}

TemporaryRegistry::~TemporaryRegistry() {
  if (!owned_) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace dnovar::app
