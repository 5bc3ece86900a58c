// The Qt backend of `dnovar script --backend qt`. Built only where the Qt backend is.
#pragma once

#include <memory>

#include "apps/script/script_backend.h"

namespace dnovar::script {

// Starts Qt (the offscreen platform unless the environment names a platform or a display), hosts
// each control in a window of its own beside a field of the host's, and delivers the script's
// user input as real Qt events. One at a time per program.
std::unique_ptr<ScriptBackend> make_qt_backend();

}  // namespace dnovar::script
