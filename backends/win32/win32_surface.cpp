#include "backends/win32/win32_surface.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "backends/win32/win32_drawn.h"
#include "platform/guarded_notification.h"
#include "platform/label_grid.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

constexpr wchar_t kSurfaceClass[] = L"DnovarSurface";
// Child ids start above IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Escape.
constexpr int kFirstChildId = 100;
// A combo box window is as tall as its open list.
constexpr int kListPixels = 200;

HINSTANCE code_instance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&code_instance), &module);
  return module;
}

DWORD field_alignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return ES_RIGHT;
    case Alignment::Centre:
      return ES_CENTER;
    case Alignment::Left:
      break;
  }
  return ES_LEFT;
}

struct ChildClass {
  const wchar_t* name;
  DWORD style;
  DWORD extended_style;
};

// The window class of a widget that has a window of its own.
ChildClass child_class(const WidgetRow& row) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (row.kind) {
    case WidgetKind::TextBox:
      return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL | field_alignment(row.alignment),
              WS_EX_CLIENTEDGE};
    case WidgetKind::ComboBox:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case WidgetKind::CommandButton:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case WidgetKind::SpinButton:
      return {UPDOWN_CLASSW, kChild | WS_TABSTOP, 0};
    case WidgetKind::Frame:
    case WidgetKind::Label:
      break;
  }
  return {nullptr, 0, 0};
}

bool drawn_by_surface(WidgetKind kind) {
  return kind == WidgetKind::Label || kind == WidgetKind::Frame;
}

int button_bits(WPARAM keys) {
  int bits = 0;
  if (keys & MK_LBUTTON) bits |= kLeftButton;
  if (keys & MK_RBUTTON) bits |= kRightButton;
  if (keys & MK_MBUTTON) bits |= kMiddleButton;
  return bits;
}

void register_surface_class() {
  static const bool registered = [] {
    WNDCLASSEXW surface_class{};
    surface_class.cbSize = sizeof surface_class;
    // Double-clicks on the labels it draws.
    surface_class.style = CS_DBLCLKS;
    surface_class.lpfnWndProc = DefWindowProcW;
    surface_class.hInstance = code_instance();
    surface_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    surface_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    surface_class.lpszClassName = kSurfaceClass;
    return RegisterClassExW(&surface_class) != 0;
  }();
  (void)registered;
}

}  // namespace

Win32Surface::Win32Surface(const WidgetTable& table, ErrorSink& errors, Role role,
                           const Win32SurfaceContext& context)
    : shared_table_(shared_table(table)),
      table_(*shared_table_),
      errors_(errors),
      context_(context) {
  // Until the surface stands, a throw destroys the window (before the hooks its children's
  // procedures use); from then on the destructor does.
  role_ = role;
  OwnedWindow made = create_window(role, context.parent);
  build_widgets();
  if (role == Role::Control) make_grid_keys();
  follow_tab_stop();
  // Shown once its widgets are in: each window made inside a visible one would be placed,
  // clipped and invalidated in it on its own.
  if (role == Role::Control && context.parent != nullptr) ShowWindow(window_, SW_SHOWNA);
  made.release();
}

Win32Surface::~Win32Surface() {
  if (destroyed_ != nullptr) *destroyed_ = true;
  // Destroying focused windows moves the focus; nothing of that is news for the control.
  events_ = nullptr;
  DestroyWindow(window_);
}

OwnedWindow Win32Surface::create_window(Role role, HWND parent) {
  register_surface_class();
  DWORD style = WS_CLIPCHILDREN;
  DWORD extended_style = WS_EX_CONTROLPARENT;
  if (role == Role::Form) {
    style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
    extended_style |= WS_EX_DLGMODALFRAME;
    parent = nullptr;
  } else {
    style |= parent != nullptr ? WS_CHILD : WS_POPUP;
  }
  OwnedWindow made(CreateWindowExW(extended_style, kSurfaceClass, wide_text(table_.caption).c_str(),
                                   style, 0, 0, 0, 0, parent, nullptr, code_instance(), nullptr));
  if (!made)
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot create a window");
  window_ = made.get();
  tool_tips_ = std::make_unique<Win32ToolTips>(window_);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&surface_procedure));
  dpi_ = window_dpi(window_);
  RECT frame{0, 0, twips_to_pixels(table_.width, dpi_), twips_to_pixels(table_.height, dpi_)};
  AdjustWindowRectEx(&frame, style, FALSE, extended_style);
  int left = 0;
  int top = 0;
  if (role == Role::Form) {
    // Centred on the screen, as a dialog without an owner is.
    left = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
  }
  SetWindowPos(window_, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  return made;
}

void Win32Surface::build_widgets() {
  const std::size_t count = table_.widgets.size();
  // Each widget's place in pixels of the surface; a frame's widgets are placed at its offset.
  std::vector<TwipRect> placed(count);
  for (std::size_t i = 0; i < count; ++i) {
    const WidgetRow& row = table_.widgets[i];
    placed[i] = row.rect;
    if (row.parent == kNoParent) continue;
    // A container comes before what it holds, and only a frame holds widgets.
    if (row.parent < 0 || static_cast<std::size_t>(row.parent) >= i ||
        table_.widgets[static_cast<std::size_t>(row.parent)].kind != WidgetKind::Frame)
      raise_invalid_argument();
    placed[i].left += placed[static_cast<std::size_t>(row.parent)].left;
    placed[i].top += placed[static_cast<std::size_t>(row.parent)].top;
  }
  // The windows in the order of their tab indexes: Tab follows the order they were made in, so
  // no window needs to be moved in the Z order afterwards.
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < count; ++i)
    if (!drawn_by_surface(table_.widgets[i].kind)) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return table_.widgets[a].tab_index < table_.widgets[b].tab_index;
  });
  std::vector<HWND> windows(count, nullptr);
  for (const std::size_t i : order) windows[i] = create_child(i, pixel_rect(placed[i], dpi_));

  widgets_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const WidgetRow& row = table_.widgets[i];
    const WidgetId id{static_cast<int>(i)};
    std::function<void()> value_changed;
    if (row.kind == WidgetKind::SpinButton)
      value_changed = [this, id] {
        deliver([&](WidgetEvents& events) { events.value_changed(id); });
      };
    widgets_.push_back(std::make_unique<Win32Widget>(row, windows[i], *this,
                                                     pixel_rect(placed[i], dpi_), *context_.look,
                                                     dpi_, std::move(value_changed)));
    Win32Widget& widget = *widgets_.back();
    if (!row.tool_tip.empty()) {
      if (widget.drawn())
        tool_tips_->add(widget.area(), static_cast<UINT_PTR>(kFirstChildId) + i, row.tool_tip);
      else
        tool_tips_->add(widget.window(), row.tool_tip);
    }
    if (widget.drawn()) {
      UnionRect(&drawn_bounds_, &drawn_bounds_, &widget.area());
      continue;
    }
    if (row.kind == WidgetKind::ComboBox) widget.set_text(row.caption);
    hook(widget.window(), id);
    if (widget.text_field() != nullptr && widget.text_field() != widget.window())
      hook(widget.text_field(), id);
  }
}

HWND Win32Surface::create_child(std::size_t index, const RECT& pixels) {
  const WidgetRow& row = table_.widgets[index];
  const int height =
      pixels.bottom - pixels.top + (row.kind == WidgetKind::ComboBox ? kListPixels : 0);
  const ChildClass kind = child_class(row);
  const bool titled = row.kind == WidgetKind::TextBox || row.kind == WidgetKind::CommandButton;
  HWND child = CreateWindowExW(
      kind.extended_style, kind.name, titled ? wide_text(row.caption).c_str() : L"", kind.style,
      pixels.left, pixels.top, pixels.right - pixels.left, height, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstChildId + static_cast<int>(index))),
      code_instance(), nullptr);
  if (child == nullptr)
    throw RuntimeError(error_number::out_of_memory, "Out of memory: cannot create a window");
  if (row.kind == WidgetKind::SpinButton) {
    // The arrows' own position stays mid-range, so each click asks (UDN_DELTAPOS) and the
    // surface steps the value by the control's rule instead.
    SendMessageW(child, UDM_SETRANGE32, 0, 100);
    SendMessageW(child, UDM_SETPOS32, 0, 50);
  }
  return child;
}

void Win32Surface::hook(HWND child, WidgetId id) {
  hooks_.push_back(std::make_unique<ChildHook>(ChildHook{this, id, nullptr}));
  ChildHook& hooked = *hooks_.back();
  SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hooked));
  hooked.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&child_procedure)));
}

Win32Widget& Win32Surface::widget(WidgetId id) {
  if (id.value < 0 || static_cast<std::size_t>(id.value) >= widgets_.size())
    raise_no_such_element(id.value);
  return *widgets_[static_cast<std::size_t>(id.value)];
}

Win32Widget* Win32Surface::widget_of(HWND child) {
  // A combo box's edit field is the combo box's child.
  if (child != nullptr && GetParent(child) != window_) child = GetParent(child);
  if (child == nullptr || GetParent(child) != window_) return nullptr;
  const int index = GetDlgCtrlID(child) - kFirstChildId;
  if (index < 0 || static_cast<std::size_t>(index) >= widgets_.size()) return nullptr;
  return widgets_[static_cast<std::size_t>(index)].get();
}

void Win32Surface::set_enabled(bool enabled) {
  enabled_ = enabled;
  EnableWindow(window_, enabled ? TRUE : FALSE);
  if (enabled || !focus_inside_) return;
  // A control disabled with the focus inside loses it at once, as a host moves the focus off a
  // disabled control: to the window that holds it.
  focus_inside_ = false;
  SetFocus(GetParent(window_));
  deliver([](WidgetEvents& events) { events.focus_left(); });
}

bool Win32Surface::contains(HWND window) const {
  return window != nullptr && (window == window_ || IsChild(window_, window));
}

template <typename Handler>
void Win32Surface::deliver(Handler&& handler) {
  if (events_ == nullptr) return;
  WidgetEvents& events = *events_;
  run_guarded_notification(errors_, [&] { handler(events); });
}

LRESULT CALLBACK Win32Surface::surface_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* surface = reinterpret_cast<Win32Surface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (surface == nullptr) return DefWindowProcW(window, message, w, l);
  return surface->handle(message, w, l);
}

LRESULT Win32Surface::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Escape in a form (IDOK, IDCANCEL) come without a child: no button is the
      // default or the cancel one.
      if (l != 0) handle_command(WidgetId{LOWORD(w) - kFirstChildId}, HIWORD(w));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(l);
      if (header->code != static_cast<UINT>(UDN_DELTAPOS)) break;
      const auto* step = reinterpret_cast<const NMUPDOWN*>(l);
      Win32Widget* spinner = widget_of(header->hwndFrom);
      if (spinner != nullptr && spinner->kind() == WidgetKind::SpinButton && step->iDelta != 0)
        spinner->step(step->iDelta > 0);
      return 1;  // the arrows' own position does not move
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (Win32Widget* painted = widget_of(reinterpret_cast<HWND>(l)))
        return reinterpret_cast<LRESULT>(painted->paint_colours(reinterpret_cast<HDC>(w)));
      break;
    case WM_ERASEBKGND:
      // The background went over the labels in the invalid part: they are drawn again.
      redraw_all_ = true;
      break;
    case WM_PAINT:
      paint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT all{};
      GetClientRect(window_, &all);
      draw_widgets(reinterpret_cast<HDC>(w), all, true);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      if (message == WM_MOUSEMOVE) tool_tips_->mouse_moved(window_, message, w, l);
      if (const WidgetId label = label_at(l); label.value >= 0) {
        mouse_on_label(label, message, w);
        return 0;
      }
      break;
    case WM_GETOBJECT:
      if (const LRESULT object = accessibility_.answer(w, l)) return object;
      break;
    case WM_SETFOCUS:
      // The surface itself holds the focus only while none of its widgets can (follow_tab_stop).
      focus_moved(reinterpret_cast<HWND>(w), true);
      return 0;
    case WM_KILLFOCUS:
      focus_moved(reinterpret_cast<HWND>(w), false);
      return 0;
    case WM_CLOSE:
      unload();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, w, l);
}

void Win32Surface::redraw(Win32Widget& widget) {
  if (widget.kind() == WidgetKind::Frame) {
    // A shorter caption leaves the old one's end behind: the frame's area is erased first.
    InvalidateRect(window_, &widget.area(), TRUE);
    return;
  }
  if (!widget.stale()) {
    widget.set_stale(true);
    stale_.push_back(&widget);
  }
  if (redraw_pending_) return;
  redraw_pending_ = true;
  // Something else invalid already (the window was just shown, or uncovered) is painted in full.
  if (GetUpdateRect(window_, nullptr, FALSE)) redraw_all_ = true;
  InvalidateRect(window_, &drawn_bounds_, FALSE);
}

void Win32Surface::paint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  draw_widgets(dc, paint.rcPaint, redraw_all_ || !redraw_pending_);
  EndPaint(window_, &paint);
  for (Win32Widget* widget : stale_) widget->set_stale(false);
  stale_.clear();
  redraw_pending_ = false;
  redraw_all_ = false;
}

void Win32Surface::draw_widgets(HDC dc, const RECT& invalid, bool all) {
  DrawnText text(dc);
  // In the table's order: a frame before what it holds.
  for (const auto& widget : widgets_) {
    RECT overlap{};
    if (widget->drawn() && (all || widget->stale()) &&
        IntersectRect(&overlap, &widget->area(), &invalid))
      widget->draw(text);
  }
  // Over the cursor's cell when it was drawn just now: the rectangle inverts what is under it.
  Win32Widget* cursor = grid_focused_ ? grid_cell(grid_cursor_) : nullptr;
  RECT overlap{};
  if (cursor != nullptr && (all || cursor->stale()) &&
      IntersectRect(&overlap, &cursor->area(), &invalid))
    DrawFocusRect(dc, &cursor->area());
}

void Win32Surface::make_grid_keys() {
  // The keyboard walks the table's first grid of labels (the day cells), as on Qt.
  const std::vector<LabelGridShape> grids = find_label_grids(table_);
  if (grids.empty()) return;
  for (std::size_t i = 0; i < table_.widgets.size(); ++i) {
    const WidgetRow& row = table_.widgets[i];
    if (row.kind != WidgetKind::Label || row.name != grids.front().name || row.index < 0) continue;
    const auto index = static_cast<std::size_t>(row.index);
    if (grid_cells_.size() <= index) grid_cells_.resize(index + 1, nullptr);
    grid_cells_[index] = widgets_[i].get();
  }
  grid_keys_ = std::make_unique<Win32GridKeys>(
      window_, code_instance(),
      [this](bool arriving, HWND other) { grid_focus_moved(arriving, other); },
      [this](GridKey key, int modifiers) {
        deliver([&](WidgetEvents& events) { events.grid_key(key, modifiers); });
      });
}

Win32Widget* Win32Surface::grid_cell(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= grid_cells_.size()) return nullptr;
  return grid_cells_[static_cast<std::size_t>(index)];
}

void Win32Surface::grid_focus_moved(bool arriving, HWND other) {
  if (Win32Widget* cursor = grid_cell(grid_cursor_)) redraw(*cursor);
  if (arriving) {
    focus_moved(other, true);
    // Enter on a day picks it, so the host's default button must not take it.
    follow_enter_box(true);
    grid_focused_ = true;
    deliver([](WidgetEvents& events) { events.grid_focus_entered(); });
    return;
  }
  if (!grid_focused_) return;
  grid_focused_ = false;
  deliver([](WidgetEvents& events) { events.grid_focus_left(); });
  focus_moved(other, false);
  if (!contains(other)) follow_enter_box(false);
}

void Win32Surface::set_grid_cursor(int cell) {
  if (Win32Widget* old = grid_cell(grid_cursor_)) redraw(*old);
  grid_cursor_ = cell;
  Win32Widget* now = grid_cell(cell);
  if (now == nullptr) return;
  redraw(*now);
  if (!grid_focused_) return;
  // The client object's children are the drawn widgets first, in the table's order, from 1.
  LONG child = 1;
  for (const auto& widget : widgets_) {
    if (widget.get() == now) break;
    if (widget->drawn()) ++child;
  }
  NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, child);
}

WidgetId Win32Surface::label_at(LPARAM position) const {
  const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    const Win32Widget& label = *widgets_[i];
    if (label.kind() == WidgetKind::Label && PtInRect(&label.area(), point))
      // A disabled label, like a disabled window, takes no input.
      return WidgetId{label.enabled() ? static_cast<int>(i) : -1};
  }
  return WidgetId{-1};
}

void Win32Surface::mouse_on_label(WidgetId id, UINT message, WPARAM keys) {
  switch (message) {
    case WM_LBUTTONDOWN:
      deliver([&](WidgetEvents& events) { events.mouse_down(id, kLeftButton); });
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      deliver([&](WidgetEvents& events) { events.mouse_down(id, kRightButton); });
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      deliver([&](WidgetEvents& events) { events.mouse_down(id, kMiddleButton); });
      break;
    case WM_LBUTTONDBLCLK:
      // The second press of a left double-click is DblClick alone, without a MouseDown.
      deliver([&](WidgetEvents& events) { events.double_click(id); });
      break;
    case WM_MOUSEMOVE: {
      const int buttons = button_bits(keys);
      deliver([&](WidgetEvents& events) { events.mouse_move(id, buttons); });
      break;
    }
    default:
      break;
  }
}

POINT Win32Surface::middle_of(WidgetId id) {
  const Win32Widget& target = widget(id);
  RECT area{};
  if (target.drawn())
    area = target.area();
  else
    GetClientRect(target.window(), &area);
  return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

void Win32Surface::handle_command(WidgetId id, int code) {
  if (id.value < 0 || static_cast<std::size_t>(id.value) >= widgets_.size()) return;
  Win32Widget& source = *widgets_[static_cast<std::size_t>(id.value)];
  if (source.kind() == WidgetKind::CommandButton && code == BN_CLICKED) {
    deliver([&](WidgetEvents& events) { events.click(id); });
  } else if (source.kind() == WidgetKind::ComboBox && code == CBN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageW(source.window(), CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    // Windows updates the edit field after this notification; the handler reads the text now.
    source.choose(index);
    deliver([&](WidgetEvents& events) { events.click(id); });
  }
}

LRESULT CALLBACK Win32Surface::child_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  const auto* hooked = reinterpret_cast<const ChildHook*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (hooked == nullptr) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    const WNDPROC original = hooked->original;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return CallWindowProcW(original, window, message, w, l);
  }
  return hooked->surface->handle_child(window, hooked->id, message, w, l);
}

LRESULT Win32Surface::original_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  const auto* hooked = reinterpret_cast<const ChildHook*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return CallWindowProcW(hooked->original, window, message, w, l);
}

LRESULT Win32Surface::handle_child(HWND child, WidgetId id, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_SETFOCUS:
      focus_moved(reinterpret_cast<HWND>(w), true);
      follow_enter_box(table_.widgets[static_cast<std::size_t>(id.value)].handles_enter);
      break;
    case WM_KILLFOCUS:
      focus_moved(reinterpret_cast<HWND>(w), false);
      if (!contains(reinterpret_cast<HWND>(w))) follow_enter_box(false);
      break;
    case WM_ENABLE: {
      const LRESULT result = original_procedure(child, message, w, l);
      follow_tab_stop();
      return result;
    }
    case WM_GETDLGCODE:
      // Enter in a box whose handler acts on it is the box's: a dialog's default button must not
      // take it (IsDialogMessage asks before it presses one).
      if (w == VK_RETURN && child == widget(id).text_field() &&
          table_.widgets[static_cast<std::size_t>(id.value)].handles_enter)
        return original_procedure(child, message, w, l) | DLGC_WANTALLKEYS;
      break;
    case WM_MOUSEMOVE:
      tool_tips_->mouse_moved(child, message, w, l);
      break;
    case WM_CHAR:
      if (child == widget(id).text_field()) return handle_character(child, id, w, l);
      break;
    default:
      break;
  }
  return original_procedure(child, message, w, l);
}

LRESULT Win32Surface::handle_character(HWND field, WidgetId id, WPARAM w, LPARAM l) {
  const int typed = static_cast<int>(w);
  // Tab moves the focus and other control codes are shortcuts: neither is a typed character.
  if (typed > 0 && typed < 32 && typed != kKeyBackspace && typed != kKeyEnter)
    return original_procedure(field, WM_CHAR, w, l);
  int code = typed;
  deliver([&](WidgetEvents& events) { events.key_press(id, code); });
  if (code == 0 || widgets_.empty()) return 0;
  Win32Widget& box = widget(id);
  if (code == kKeyEnter) {
    // Enter in an editable list box chooses the entry its text names, as a click would, unless
    // it is the current entry already; a single-line box takes no line break.
    if (box.kind() != WidgetKind::ComboBox) return 0;
    const auto entries = box.items();
    const auto match = std::find(entries.begin(), entries.end(), box.text());
    const int index = static_cast<int>(match - entries.begin());
    if (match == entries.end() || index == box.list_index()) return 0;
    box.choose(index);
    deliver([&](WidgetEvents& events) { events.click(id); });
    return 0;
  }
  if (code < 32 && code != kKeyBackspace) return 0;
  // A text box appends what a key press lets through.
  const int end = GetWindowTextLengthW(field);
  SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(end), end);
  if (code == kKeyBackspace && end >= 2) {
    // Backspace takes the whole character before the end, as on every backend; an EDIT (Wine's)
    // would take half of a surrogate pair and leave the other half.
    std::wstring text(static_cast<std::size_t>(end) + 1, L'\0');
    GetWindowTextW(field, text.data(), end + 1);
    if (IS_LOW_SURROGATE(text[static_cast<std::size_t>(end) - 1]) &&
        IS_HIGH_SURROGATE(text[static_cast<std::size_t>(end) - 2]))
      SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(end - 2), end);
  }
  if (code > 0xFFFF) {
    const int offset = code - 0x10000;
    original_procedure(field, WM_CHAR, static_cast<WPARAM>(0xD800 + (offset >> 10)), l);
    original_procedure(field, WM_CHAR, static_cast<WPARAM>(0xDC00 + (offset & 0x3FF)), l);
    return 0;
  }
  return original_procedure(field, WM_CHAR, static_cast<WPARAM>(code), l);
}

// A host's dialog manager tabs into the control's widgets (the surface is a control parent). When
// none of them can take the focus, the surface itself is the tab stop instead, so that the control
// still takes the focus and learns of it.
void Win32Surface::follow_tab_stop() {
  if (role_ != Role::Control || window_ == nullptr) return;
  bool any = false;
  for (const auto& widget : widgets_) {
    const LONG_PTR style = widget->drawn() ? 0 : GetWindowLongPtrW(widget->window(), GWL_STYLE);
    any = any || ((style & WS_TABSTOP) != 0 && (style & WS_DISABLED) == 0);
  }
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  const LONG_PTR extended = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  SetWindowLongPtrW(window_, GWL_STYLE, any ? style & ~WS_TABSTOP : style | WS_TABSTOP);
  SetWindowLongPtrW(window_, GWL_EXSTYLE,
                    any ? extended | WS_EX_CONTROLPARENT : extended & ~WS_EX_CONTROLPARENT);
}

void Win32Surface::follow_enter_box(bool inside) {
  if (inside == focus_in_enter_box_) return;
  focus_in_enter_box_ = inside;
  if (context_.enter_box_focus_changed != nullptr && *context_.enter_box_focus_changed)
    (*context_.enter_box_focus_changed)();
}

void Win32Surface::focus_moved(HWND other, bool arriving) {
  // Focus moving between the surface's own children is no news. Focus going nowhere (the window
  // was deactivated) is not leaving either: where it lands next decides.
  if (contains(other) || (!arriving && other == nullptr)) return;
  if (arriving == focus_inside_) return;
  focus_inside_ = arriving;
  deliver([arriving](WidgetEvents& events) {
    if (arriving)
      events.focus_entered();
    else
      events.focus_left();
  });
}

namespace {

// Windows of the calling thread that a modal form disables while it is up.
BOOL CALLBACK collect_enabled_window(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

void Win32Surface::show_modal() {
  if (in_modal_loop_)
    throw RuntimeError(error_number::form_already_shown,
                       "Form already displayed; can't show modally");
  loaded_ = true;
  std::vector<HWND> owners;
  EnumThreadWindows(GetCurrentThreadId(), &collect_enabled_window,
                    reinterpret_cast<LPARAM>(&owners));
  std::erase(owners, window_);
  ShowWindow(window_, SW_SHOW);
  SetActiveWindow(window_);
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
  // Disabled once the focus has moved to the form: disabling the window that holds the focus
  // would drop it on the floor, and the control would not hear that it left.
  for (HWND owner : owners) EnableWindow(owner, FALSE);

  bool destroyed = false;
  destroyed_ = &destroyed;
  in_modal_loop_ = true;
  const std::function<bool(HWND)>* idle = context_.modal_idle;
  const HWND form = window_;
  while (!destroyed && loaded_) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (idle != nullptr && *idle && (*idle)(form)) continue;
      WaitMessage();
      continue;
    }
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside this one
      break;
    }
    if (!IsDialogMessageW(form, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // The owners come back first, so the activation returns to them when the form goes.
  for (HWND owner : owners)
    if (IsWindow(owner)) EnableWindow(owner, TRUE);
  // Nothing of `this` is used once a handler inside the loop has released the form.
  if (destroyed) return;
  destroyed_ = nullptr;
  in_modal_loop_ = false;
  ShowWindow(window_, SW_HIDE);
}

void Win32Surface::unload() {
  if (!loaded_) return;
  loaded_ = false;
  // A modal loop hides the form itself, after giving its owners their input back.
  if (!in_modal_loop_) ShowWindow(window_, SW_HIDE);
}

}  // namespace dnovar
