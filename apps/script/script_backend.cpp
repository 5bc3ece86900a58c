#include "apps/script/script_backend.h"

#include "apps/script/script_instance.h"

namespace dnovar::script {

void ScriptBackend::focus_grid(Surface&) {
  raise_not_supported();
}

void ScriptBackend::grid_key(Surface&, GridKey, int) {
  raise_not_supported();
}

std::unique_ptr<ScriptInstance> ScriptBackend::create_instance(ScriptSite&) {
  return nullptr;
}

std::unique_ptr<ScriptInstance> ScriptBackend::start_instance(ScriptSite&, DateSerial) {
  return nullptr;
}

}  // namespace dnovar::script
