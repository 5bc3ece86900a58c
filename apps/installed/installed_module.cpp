#include "apps/installed/installed_module.h"

#include <system_error>

#include "apps/installed/running_program.h"
#include "component/file_io.h"
#include "platform/environment.h"
#include "platform/error.h"

namespace dnovar::app {

namespace {

// The build makes its programs below its apps/ folder; an install copies them elsewhere.
bool in_build_tree(const std::filesystem::path& program) {
  std::error_code error;
  const std::filesystem::path programs =
      std::filesystem::weakly_canonical(DNOVAR_BUILD_TREE_PROGRAMS, error);
  if (error) return false;
  const std::filesystem::path relative =
      std::filesystem::weakly_canonical(program, error).lexically_relative(programs);
  if (error) return false;
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

ControlModule program_control_module() {
  if (auto module = environment_path("DNOVAR_MODULE")) return {*module, false};
  const std::filesystem::path program = running_program();
  if (program.empty() || in_build_tree(program)) return {control_module_path(), false};
  const std::filesystem::path module =
      (program.parent_path() / DNOVAR_INSTALLED_MODULE).lexically_normal();
  std::error_code error;
  if (!std::filesystem::is_regular_file(module, error)) {
    throw RuntimeError(error_number::file_not_found, "File not found: " + path_text(module) +
                                                         ", the control's module installed with " +
                                                         path_text(program));
  }
  return {module, true};
}

}  // namespace dnovar::app
