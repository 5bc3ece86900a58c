// How an installed program finds the control's module: where `cmake --install` put it, at the
// same place relative to the program, so a prefix that was moved or packaged still works.
#pragma once

namespace dnovar::app {

// Sets DNOVAR_MODULE to the module installed with this program, unless DNOVAR_MODULE is set
// already or the program does not run from an installed prefix (a program in the build tree uses
// the module built there).
void use_installed_module();

}  // namespace dnovar::app
