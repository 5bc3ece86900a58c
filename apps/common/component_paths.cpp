#include "apps/common/component_paths.h"

#include <random>
#include <string>
#include <system_error>

#include "component/file_io.h"
#include "platform/environment.h"
#include "platform/error.h"

namespace dnovar::app {

std::filesystem::path control_module_path() {
  if (auto module = environment_path("DNOVAR_MODULE")) return *module;
  return DNOVAR_MODULE_PATH;
}

namespace {

// $TMPDIR as the user set it (even a broken one: the error names it), else the system's.
std::filesystem::path temporary_folder() {
  if (auto named = environment_path("TMPDIR")) return *named;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : folder;
}

}  // namespace

const std::filesystem::path& TemporaryRegistry::path() {
  if (!path_.empty()) return path_;
  if (auto registry = environment_path("DNOVAR_REGISTRY")) {
    path_ = *registry;
    return path_;
  }
  // A folder of our own, so that the registry's lock file beside it goes away with it.
  const std::filesystem::path base = temporary_folder();
  std::random_device random;
  std::error_code error;
  for (int attempt = 0; attempt < 100 && !error; ++attempt) {
    const std::filesystem::path folder = base / ("dnovar-registry-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder, error)) {
      owned_folder_ = folder;
      path_ = folder / "registry.json";
      return path_;
    }
  }
  throw RuntimeError(error_number::file_access,
                     "Path/File access error: cannot make a folder for a temporary registry in " +
                         path_text(base) + ": " + error.message() +
                         " (set TMPDIR or DNOVAR_REGISTRY)");
}

TemporaryRegistry::~TemporaryRegistry() {
  if (owned_folder_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(owned_folder_, ignored);
}

}  // namespace dnovar::app
