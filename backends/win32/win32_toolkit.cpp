#include "backends/win32/win32_toolkit.h"

#include <commctrl.h>

namespace dnovar {

Win32Toolkit::Win32Toolkit(HWND parent) : parent_(parent) {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES;
  InitCommonControlsEx(&classes);
}

Win32SurfaceContext Win32Toolkit::context(HWND parent) {
  return Win32SurfaceContext{parent, &look_, &modal_idle_, &enter_box_focus_changed_};
}

std::unique_ptr<Surface> Win32Toolkit::create_surface(const WidgetTable& table, ErrorSink& errors) {
  return std::make_unique<Win32Surface>(table, errors, Win32Surface::Role::Control,
                                        context(parent_));
}

std::unique_ptr<Form> Win32Toolkit::create_form(const WidgetTable& table, ErrorSink& errors) {
  return std::make_unique<Win32Surface>(table, errors, Win32Surface::Role::Form, context(nullptr));
}

void Win32Toolkit::beep() {
  MessageBeep(MB_OK);
  if (beep_listener_) beep_listener_();
}

}  // namespace dnovar
