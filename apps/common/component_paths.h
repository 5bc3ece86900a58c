// Where the programs find the control's module and a registry to create it through.
#pragma once

#include <filesystem>

namespace dnovar::app {

// DNOVAR_MODULE when set, else the module built in this tree.
std::filesystem::path control_module_path();

// The module a program creates the control from, and whether the program must use it.
struct ControlModule {
  std::filesystem::path path;
  // The module an installed program was installed with: the program uses it whatever module a
  // registry names for the control. Otherwise the registry decides.
  bool installed_with_program = false;
};

// The registry named by DNOVAR_REGISTRY, or else a file in a fresh folder of its own that is
// removed with this object: a script's `new` registers the module there, leaving the user's
// registry alone. Nothing is made before the first call of path().
class TemporaryRegistry {
 public:
  TemporaryRegistry() = default;
  ~TemporaryRegistry();
  TemporaryRegistry(const TemporaryRegistry&) = delete;
  TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;

  // Makes the folder under $TMPDIR (else /tmp) on the first call; raises 75 naming the folder
  // when it cannot be made.
  const std::filesystem::path& path();

 private:
  std::filesystem::path path_;
  std::filesystem::path owned_folder_;
};

}  // namespace dnovar::app
