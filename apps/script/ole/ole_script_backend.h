// The script host on dnovar.ocx: the real ActiveX control, created by its ProgID through the
// registry (register it with regsvr32 first), activated in place in the host's window, driven
// through its COM interfaces and with real window messages to its child windows.
#pragma once

#include <memory>

#include "apps/script/script_backend.h"

namespace dnovar::script {

std::unique_ptr<ScriptBackend> make_ole_backend();

}  // namespace dnovar::script
