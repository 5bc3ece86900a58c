// The script host on the Win32 backend: the control in a host window of its own, and the user's
// input as real window messages sent to the real child windows.
#pragma once

#include <memory>

#include "apps/script/script_backend.h"

namespace dnovar::script {

std::unique_ptr<ScriptBackend> make_win32_backend();

}  // namespace dnovar::script
