// Which module a program creates the control from once it is installed: the one `cmake --install`
// put at the same place relative to the program, so that a prefix that was moved or packaged
// still works. A program in the build tree uses the module built there; an installed program
// never looks into a build tree.
#pragma once

#include "apps/common/component_paths.h"

namespace dnovar::app {

// DNOVAR_MODULE when set; else, for an installed program, the module installed with it (raises
// 53 naming it when the install lacks it); else the module built in this tree.
ControlModule program_control_module();

}  // namespace dnovar::app
