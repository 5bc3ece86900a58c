#include "backends/win32/win32_grid_keys.h"

#include <optional>

#include "platform/error.h"

namespace dnovar {

namespace {

void register_grid_keys_class(HINSTANCE instance) {
  static const bool registered = [instance] {
    WNDCLASSEXW grid_class{};
    grid_class.cbSize = sizeof grid_class;
    grid_class.lpfnWndProc = DefWindowProcW;
    grid_class.hInstance = instance;
    grid_class.lpszClassName = kGridKeysClass;
    return RegisterClassExW(&grid_class) != 0;
  }();
  (void)registered;
}

std::optional<GridKey> grid_key_of(WPARAM virtual_key) {
  switch (virtual_key) {
    case VK_UP:
      return GridKey::Up;
    case VK_DOWN:
      return GridKey::Down;
    case VK_LEFT:
      return GridKey::Left;
    case VK_RIGHT:
      return GridKey::Right;
    case VK_HOME:
      return GridKey::Home;
    case VK_END:
      return GridKey::End;
    case VK_RETURN:
      return GridKey::Enter;
    case VK_SPACE:
      return GridKey::Space;
    default:
      return std::nullopt;
  }
}

}  // namespace

Win32GridKeys::Win32GridKeys(HWND surface, HINSTANCE instance,
                             std::function<void(bool, HWND)> focus_moved,
                             std::function<void(GridKey, int)> key)
    : focus_moved_(std::move(focus_moved)), key_(std::move(key)) {
  register_grid_keys_class(instance);
  window_ = CreateWindowExW(0, kGridKeysClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                            surface, nullptr, instance, nullptr);
  if (window_ == nullptr)
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot create a window");
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
}

LRESULT CALLBACK Win32GridKeys::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* keys = reinterpret_cast<Win32GridKeys*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (keys == nullptr) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return keys->handle(message, w, l);
}

LRESULT Win32GridKeys::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_GETDLGCODE: {
      // The arrows are the grid's, not the dialog manager's group moves; Enter is the grid's
      // too, so a host dialog's default button does not take it.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* pending = reinterpret_cast<const MSG*>(l);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (const std::optional<GridKey> key = grid_key_of(w)) {
        int modifiers = 0;
        if (GetKeyState(VK_SHIFT) < 0) modifiers |= kShiftHeld;
        if (GetKeyState(VK_CONTROL) < 0) modifiers |= kCtrlHeld;
        key_(*key, modifiers);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      focus_moved_(true, reinterpret_cast<HWND>(w));
      return 0;
    case WM_KILLFOCUS:
      focus_moved_(false, reinterpret_cast<HWND>(w));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

}  // namespace dnovar
