// The script host on the Win32 backend: the control's surfaces are the toolkit's own, in the host
// window's place for the control.
#include "apps/script/win32/win32_script_backend.h"

#include "apps/script/win32/window_input.h"
#include "backends/win32/win32_toolkit.h"

namespace dnovar::script {

namespace {

class Win32Backend final : public WindowInputBackend {
 public:
  Win32Backend() : toolkit_(host().place()) {
    toolkit_.on_modal_idle([this](HWND form) { return play(form); });
  }

  Toolkit& toolkit() override { return toolkit_; }
  void on_beep(std::function<void()> listener) override { toolkit_.on_beep(std::move(listener)); }

 private:
  // Every surface this backend hands out is a Win32Surface.
  static Win32Surface& surface(Surface& s) { return static_cast<Win32Surface&>(s); }

  MouseTarget mouse_target(Surface& s, WidgetId id) override {
    Win32Widget& widget = surface(s).widget(id);
    HWND window = widget.drawn() ? surface(s).window() : widget.window();
    if (!widget.enabled()) return {};
    for (HWND holder = window; holder != nullptr; holder = GetParent(holder))
      if (!IsWindowEnabled(holder)) return {};
    const POINT middle = surface(s).middle_of(id);
    return {window, MAKELPARAM(middle.x, middle.y)};
  }
  HWND widget_window(Surface& s, WidgetId id) override { return surface(s).widget(id).window(); }
  HWND text_field_window(Surface& s, WidgetId id) override {
    Win32Widget& widget = surface(s).widget(id);
    if (widget.kind() != WidgetKind::TextBox && widget.kind() != WidgetKind::ComboBox)
      raise_not_supported();
    return widget.text_field();
  }
  bool surface_holds(Surface& s, HWND window) override { return surface(s).contains(window); }
  HWND grid_window(Surface& s) override { return surface(s).grid_window(); }

  Win32Toolkit toolkit_;
};

}  // namespace

std::unique_ptr<ScriptBackend> make_win32_backend() {
  return std::make_unique<Win32Backend>();
}

}  // namespace dnovar::script
