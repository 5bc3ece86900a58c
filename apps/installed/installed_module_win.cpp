#include "apps/installed/installed_module.h"

namespace dnovar::app {

// On Windows the programs find the module as they always have: DNOVAR_MODULE, else the module
// built beside them; an installed control is found through the registration its module wrote.
void use_installed_module() {}

}  // namespace dnovar::app
