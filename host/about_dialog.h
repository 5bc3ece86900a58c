// The about dialog dlgAbout: title, a paragraph on what the calendar does, an author credit and
// "&Zavřít". Created on demand, shown modally, then unloaded and released; one reference to it is
// shared by every control of the module.
#pragma once

#include "platform/toolkit.h"

namespace dnovar {

const WidgetTable& about_dialog_form();

// Shows the dialog modally with no owner and returns once it has been closed (by its button or
// its close box). Escape does nothing; Alt+Z presses the button.
void show_about_dialog(Toolkit& toolkit, ErrorSink& errors);

}  // namespace dnovar
