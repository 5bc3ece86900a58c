// The Windows toolkit: surfaces on real common controls (see win32_surface.h). Control surfaces
// are created in the window the host names; forms are top-level windows. Beeps are the system's
// (MessageBeep), and a listener hears each one.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "backends/win32/win32_look.h"
#include "backends/win32/win32_surface.h"
#include "platform/toolkit.h"

namespace dnovar {

class Win32Toolkit final : public Toolkit {
 public:
  // Registers the common control classes this toolkit uses. `parent` is where control surfaces
  // are placed; without one they are hidden top-level windows (for pictures, for tests).
  explicit Win32Toolkit(HWND parent = nullptr);

  std::unique_ptr<Surface> create_surface(const WidgetTable& table, ErrorSink& errors) override;
  std::unique_ptr<Form> create_form(const WidgetTable& table, ErrorSink& errors) override;
  void beep() override;

  void set_parent(HWND parent) { parent_ = parent; }
  void on_beep(std::function<void()> listener) { beep_listener_ = std::move(listener); }
  // Called whenever a form's modal loop is idle; see Win32SurfaceContext::modal_idle.
  void on_modal_idle(std::function<bool(HWND form)> idle) { modal_idle_ = std::move(idle); }
  // See Win32SurfaceContext::enter_box_focus_changed.
  void on_enter_box_focus_change(std::function<void()> changed) {
    enter_box_focus_changed_ = std::move(changed);
  }

 private:
  Win32SurfaceContext context(HWND parent);

  HWND parent_;
  LookCache look_;
  std::function<void()> beep_listener_;
  std::function<bool(HWND)> modal_idle_;
  std::function<void()> enter_box_focus_changed_;
};

}  // namespace dnovar
