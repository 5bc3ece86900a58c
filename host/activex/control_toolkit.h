// The toolkit the control's widgets are built with inside an ActiveX container: the Win32 toolkit,
// placing the control's surface in the control's own window and telling the control when the
// focus enters or leaves it (the container hears that through IOleControlSite::OnFocus).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "backends/win32/win32_surface.h"
#include "backends/win32/win32_toolkit.h"
#include "platform/toolkit.h"

namespace dnovar {

class ControlToolkit final : public Toolkit {
 public:
  ControlToolkit(HWND control_window, std::function<void(bool entered)> focus_changed);

  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override { win32_.beep(); }
  void on_beep(std::function<void()> listener) { win32_.on_beep(std::move(listener)); }
  void on_modal_idle(std::function<bool(HWND form)> idle) { win32_.on_modal_idle(std::move(idle)); }

  // The control's surface while it exists, else null.
  Win32Surface* control_surface() const { return control_surface_; }

 private:
  class FocusReportingSurface;

  Win32Toolkit win32_;
  std::function<void(bool)> focus_changed_;
  Win32Surface* control_surface_ = nullptr;
};

}  // namespace dnovar
