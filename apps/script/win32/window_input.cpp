// The user's input as the window system delivers it: mouse presses, moves and double-clicks, key
// strokes and arrow clicks are the messages a real mouse and keyboard produce, sent to the child
// window under them, so the common controls do their own part (the up-down control asks with
// UDN_DELTAPOS, IsDialogMessage presses a form's button on Alt + its access key). A button's click
// and a pick from the list arrive as the notification the control sends its parent, so a click
// leaves the focus where it was, as on every backend. Messages are sent, not posted, so each has
// reached the control when the call returns; what they post in turn is pumped before the next line
// of the script.
#include "apps/script/win32/window_input.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "backends/win32/win32_text.h"
#include "platform/access_key.h"

namespace dnovar::script {

namespace {

constexpr wchar_t kHostClass[] = L"DnovarScriptHost";
constexpr int kFieldHeight = 24;

struct MouseButton {
  int bit;
  WPARAM key;
  UINT down;
  UINT up;
};

constexpr MouseButton kMouseButtons[] = {
    {kLeftButton, MK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP},
    {kRightButton, MK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP},
    {kMiddleButton, MK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP},
};

WPARAM key_state(int bits) {
  WPARAM keys = 0;
  for (const MouseButton& button : kMouseButtons)
    if (bits & button.bit) keys |= button.key;
  return keys;
}

// The form's command button: the first push button among its children.
HWND command_button(HWND form) {
  for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    const LONG_PTR type = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiW(name, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON))
      return child;
  }
  return nullptr;
}

// The access key of a button's caption ("&Zavřít" gives 'z'), or 0.
wchar_t button_access_key(HWND button) {
  return static_cast<wchar_t>(access_key(window_text(button)));
}

}  // namespace

HostWindow::HostWindow() {
  static const bool registered = [] {
    WNDCLASSEXW host_class{};
    host_class.cbSize = sizeof host_class;
    host_class.lpfnWndProc = &procedure;
    host_class.hInstance = GetModuleHandleW(nullptr);
    host_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host_class.lpszClassName = kHostClass;
    return RegisterClassExW(&host_class) != 0;
  }();
  (void)registered;
  window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kHostClass, L"dnovar script", WS_OVERLAPPEDWINDOW,
                            0, 0, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  field_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0,
                           200, kFieldHeight, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  place_ =
      CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, kFieldHeight,
                      620, 420, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(field_);
}

HostWindow::~HostWindow() {
  DestroyWindow(window_);
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  static HWND saved_focus = nullptr;
  if (message == WM_ACTIVATE) {
    if (LOWORD(w) == WA_INACTIVE) {
      saved_focus = GetFocus();
    } else if (saved_focus != nullptr && IsWindow(saved_focus)) {
      SetFocus(saved_focus);
      return 0;
    }
  }
  return DefWindowProcW(window, message, w, l);
}

void WindowInputBackend::click(Surface& s, WidgetId id) {
  if (s.table().widgets.at(static_cast<std::size_t>(id.value)).kind == WidgetKind::CommandButton) {
    // What the button tells its parent when clicked. A script's click leaves the focus where it
    // was (BM_CLICK would move it to the button), as on every backend.
    if (HWND target = input_window(s, id))
      SendMessageW(GetParent(target), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
                   reinterpret_cast<LPARAM>(target));
  } else if (const MouseTarget target = mouse_target(s, id); target.window != nullptr) {
    SendMessageW(target.window, WM_LBUTTONDOWN, MK_LBUTTON, target.point);
    SendMessageW(target.window, WM_LBUTTONUP, 0, target.point);
  }
  settle();
}

void WindowInputBackend::choose(Surface& s, WidgetId id, int index) {
  HWND combo = input_window(s, id);
  if (combo == nullptr) return;
  if (index < 0 || index >= static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0)))
    raise_invalid_argument();
  // What the list does when the user picks an entry: it selects it and tells the parent.
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  settle();
}

void WindowInputBackend::spin(Surface& s, WidgetId id, bool up) {
  if (HWND arrows = input_window(s, id)) {
    // The arrows stand one above the other: up in the upper half, down in the lower.
    RECT area{};
    GetClientRect(arrows, &area);
    const LPARAM point = MAKELPARAM(area.right / 2, up ? area.bottom / 4 : area.bottom * 3 / 4);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(arrows, WM_LBUTTONUP, 0, point);
  }
  settle();
}

void WindowInputBackend::key(Surface& s, WidgetId id, int code) {
  // TranslateMessage turns a key stroke into WM_CHAR; Ctrl + a letter gives its control code.
  if (HWND field = text_field(s, id)) SendMessageW(field, WM_CHAR, static_cast<WPARAM>(code), 1);
  settle();
}

void WindowInputBackend::paste(Surface& s, WidgetId id, std::string_view text) {
  if (HWND field = text_field(s, id)) {
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide_text(text).c_str()));
  }
  settle();
}

void WindowInputBackend::mouse_down(Surface& s, WidgetId id, int bits) {
  if (const MouseTarget cell = mouse_target(s, id); cell.window != nullptr) {
    WPARAM held = 0;
    for (const MouseButton& button : kMouseButtons) {
      if (!(bits & button.bit)) continue;
      held |= button.key;
      SendMessageW(cell.window, button.down, held, cell.point);
    }
  }
  settle();
}

void WindowInputBackend::mouse_up(Surface& s, WidgetId id, int bits) {
  if (const MouseTarget cell = mouse_target(s, id); cell.window != nullptr) {
    WPARAM held = key_state(bits);
    for (const MouseButton& button : kMouseButtons) {
      if (!(bits & button.bit)) continue;
      held &= ~button.key;
      SendMessageW(cell.window, button.up, held, cell.point);
    }
  }
  settle();
}

void WindowInputBackend::mouse_move(Surface& s, WidgetId id, int buttons) {
  if (const MouseTarget cell = mouse_target(s, id); cell.window != nullptr)
    SendMessageW(cell.window, WM_MOUSEMOVE, key_state(buttons), cell.point);
  settle();
}

void WindowInputBackend::double_click(Surface& s, WidgetId id) {
  // The second press of a double-click, as Windows reports it; the first click is a script's own.
  if (const MouseTarget cell = mouse_target(s, id); cell.window != nullptr) {
    SendMessageW(cell.window, WM_LBUTTONDBLCLK, MK_LBUTTON, cell.point);
    SendMessageW(cell.window, WM_LBUTTONUP, 0, cell.point);
  }
  settle();
}

void WindowInputBackend::focus_in(Surface& s) {
  if (!surface_holds(s, GetFocus())) {
    // The user tabs from the host's field into the control: the focus goes where Tab takes it
    // in a dialog, the next tab stop (none inside a disabled control).
    SetFocus(host_.field());
    if (HWND next = GetNextDlgTabItem(host_.window(), host_.field(), FALSE)) SetFocus(next);
  }
  settle();
}

void WindowInputBackend::focus_out(Surface&) {
  // The user clicks the host's field.
  SendMessageW(host_.field(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(host_.field(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  settle();
}

void WindowInputBackend::focus_grid(Surface& s) {
  const HWND grid = grid_window(s);
  if (grid == nullptr) return;
  // The user tabs into the control if the focus is outside, then on from stop to stop inside the
  // control's window up to the grid (a full round at most), as its dialog manager moves it.
  if (!surface_holds(s, GetFocus())) focus_in(s);
  const HWND surface = GetParent(grid);
  constexpr int kMaxTabStops = 64;
  for (int stop = 0; stop < kMaxTabStops && GetFocus() != grid; ++stop) {
    HWND from = GetFocus();
    if (from == nullptr || !surface_holds(s, from)) break;
    // A combo box's edit field stands for the combo box, the surface's own child.
    while (GetParent(from) != surface && GetParent(from) != nullptr) from = GetParent(from);
    HWND next = GetNextDlgTabItem(surface, from, FALSE);
    if (next == nullptr || next == from) break;
    SetFocus(next);
  }
  settle();
}

namespace {

WPARAM virtual_key(GridKey key) {
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

}  // namespace

void WindowInputBackend::grid_key(Surface& s, GridKey key, int modifiers) {
  // Keys go where the focus is: only the grid with the focus takes them.
  const HWND grid = grid_window(s);
  if (grid == nullptr || GetFocus() != grid) return;
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

HWND WindowInputBackend::input_window(Surface& s, WidgetId id) {
  HWND child = widget_window(s, id);
  for (HWND window = child; window != nullptr; window = GetParent(window))
    if (!IsWindowEnabled(window)) return nullptr;
  return child;
}

HWND WindowInputBackend::text_field(Surface& s, WidgetId id) {
  if (input_window(s, id) == nullptr) return nullptr;
  return text_field_window(s, id);
}

bool WindowInputBackend::play(HWND form) {
  ModalAction action = ModalAction::CloseBox;
  if (!actions_.empty()) {
    action = actions_.front();
    actions_.pop_front();
  }
  HWND button = command_button(form);
  HWND focus = GetFocus();
  HWND keys = focus != nullptr && (focus == form || IsChild(form, focus)) ? focus : form;
  switch (action) {
    case ModalAction::PressFirstButton:
      if (button != nullptr) PostMessageW(button, BM_CLICK, 0, 0);
      break;
    case ModalAction::AccessKey:
      if (const wchar_t letter = button != nullptr ? button_access_key(button) : 0; letter != 0)
        PostMessageW(keys, WM_SYSCHAR, letter, 1 << 29);  // bit 29: Alt is down
      break;
    case ModalAction::Escape:
      PostMessageW(keys, WM_KEYDOWN, VK_ESCAPE, 1);
      break;
    case ModalAction::CloseBox:
      PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
  return true;
}

void WindowInputBackend::settle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!IsDialogMessageW(host_.window(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace dnovar::script
