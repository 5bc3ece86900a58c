// Where the programs find the control's module and a registry to create it through.
#pragma once

#include <filesystem>

namespace dnovar::app {

// DNOVAR_MODULE when set, else the module built in this tree.
std::filesystem::path control_module_path();

// The registry named by DNOVAR_REGISTRY, or else a fresh file of its own that is removed when
// this object goes: a script's `new` registers the module there, leaving the user's registry alone.
class TemporaryRegistry {
 public:
  TemporaryRegistry();
  ~TemporaryRegistry();
  TemporaryRegistry(const TemporaryRegistry&) = delete;
  TemporaryRegistry& operator=(const TemporaryRegistry&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  bool owned_ = false;
};

}  // namespace dnovar::app
