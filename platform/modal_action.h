// What the user does while a form is shown modally, for backends that play the user's part
// (the headless backend, the script host on every backend).
#pragma once

namespace dnovar {

enum class ModalAction {
  PressFirstButton,  // a click on the form's command button
  CloseBox,          // the title bar's close box
  Escape,            // the Escape key: no button is the cancel button, so nothing happens
  AccessKey,         // Alt + the access key of the form's command button
};

}  // namespace dnovar
