#include "apps/script/script_backend.h"

#include "apps/script/script_instance.h"

namespace dnovar::script {

std::unique_ptr<ScriptInstance> ScriptBackend::create_instance(ScriptSite&) {
  return nullptr;
}

std::unique_ptr<ScriptInstance> ScriptBackend::start_instance(ScriptSite&, DateSerial) {
  return nullptr;
}

}  // namespace dnovar::script
