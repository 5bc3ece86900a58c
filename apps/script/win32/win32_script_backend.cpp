// The script host on the Win32 backend: the control's surfaces are the toolkit's own, in the host
// window's place for the control.
#include "apps/script/win32/win32_script_backend.h"

#include <algorithm>
#include <iterator>

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

  void focus_grid(Surface& s) override {
    const HWND grid = surface(s).grid_window();
    if (!surface_holds(s, GetFocus())) {
      // The user tabs backwards from the host's field: the grid is the control's last stop.
      SetFocus(host().field());
      if (HWND previous = GetNextDlgTabItem(host().window(), host().field(), TRUE))
        SetFocus(previous);
    } else {
      // Tab from stop to stop up to the grid; a full round at most.
      for (int stop = 0; stop < kMaxTabStops && GetFocus() != grid; ++stop) {
        HWND next = GetNextDlgTabItem(host().window(), GetFocus(), FALSE);
        if (next == nullptr || !surface_holds(s, next)) break;
        SetFocus(next);
      }
    }
    settle();
  }

  void grid_key(Surface& s, GridKey key, int modifiers) override {
    // Keys go where the focus is: only the grid with the focus takes them.
    const HWND grid = surface(s).grid_window();
    if (grid == nullptr || GetFocus() != grid) return;
    // The key's window reads Shift and Ctrl from the keyboard state, as for a real key.
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(std::begin(saved), std::end(saved), std::begin(held));
    held[VK_SHIFT] = (modifiers & kShiftHeld) != 0 ? 0x80 : 0;
    held[VK_CONTROL] = (modifiers & kCtrlHeld) != 0 ? 0x80 : 0;
    SetKeyboardState(held);
    const WPARAM code = virtual_key(key);
    SendMessageW(grid, WM_KEYDOWN, code, 1);
    SendMessageW(grid, WM_KEYUP, code, static_cast<LPARAM>(0xC0000001));
    SetKeyboardState(saved);
    settle();
  }

 private:
  static constexpr int kMaxTabStops = 64;

  static WPARAM virtual_key(GridKey key) {
    switch (key) {
      case GridKey::Up:
        return VK_UP;
      case GridKey::Down:
        return VK_DOWN;
      case GridKey::Left:
        return VK_LEFT;
      case GridKey::Right:
        return VK_RIGHT;
      case GridKey::Home:
        return VK_HOME;
      case GridKey::End:
        return VK_END;
      case GridKey::Enter:
        return VK_RETURN;
      case GridKey::Space:
        return VK_SPACE;
    }
    return 0;
  }

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

  Win32Toolkit toolkit_;
};

}  // namespace

std::unique_ptr<ScriptBackend> make_win32_backend() {
  return std::make_unique<Win32Backend>();
}

}  // namespace dnovar::script
