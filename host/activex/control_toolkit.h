// The toolkit the control's widgets are built with inside an ActiveX container: the Win32 toolkit,
// placing the control's surface in the control's own window. Every notification of the surface
// passes the control first: it tells the control when the focus enters or leaves (the container
// hears that through IOleControlSite::OnFocus), drops the user's input while the container is in
// design mode, and keeps the control alive while a handler runs (it may open a modal loop).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "backends/win32/win32_surface.h"
#include "backends/win32/win32_toolkit.h"
#include "platform/toolkit.h"

namespace dnovar {

// What the control decides about its surface's notifications.
class SurfaceListener {
 public:
  virtual ~SurfaceListener() = default;
  virtual void focus_changed(bool entered) = 0;
  // False while the container designs the form: the user's input goes to no handler.
  virtual bool takes_input() const = 0;
  // The control, held for the length of a handler (see object_hold.h); null while it is being
  // destroyed.
  virtual IUnknown* holder() = 0;
};

class ControlToolkit final : public Toolkit {
 public:
  ControlToolkit(HWND control_window, SurfaceListener& listener);

  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override { win32_.beep(); }
  void on_beep(std::function<void()> listener) { win32_.on_beep(std::move(listener)); }
  void on_modal_idle(std::function<bool(HWND form)> idle) { win32_.on_modal_idle(std::move(idle)); }
  void on_enter_box_focus_change(std::function<void()> changed) {
    win32_.on_enter_box_focus_change(std::move(changed));
  }

  // The control's surface while it exists, else null.
  Win32Surface* control_surface() const { return control_surface_; }

 private:
  class ListenedSurface;

  Win32Toolkit win32_;
  SurfaceListener& listener_;
  Win32Surface* control_surface_ = nullptr;
};

}  // namespace dnovar
