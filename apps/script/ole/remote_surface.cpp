#include "apps/script/ole/remote_surface.h"

#include "backends/win32/win32_grid_keys.h"
#include "core/surface_layout.h"
#include "host/activex/com_boundary.h"
#include "host/activex/variant_bridge.h"

namespace dnovar::script {

Variant RemoteWidget::read(WidgetProperty property) const {
  ComVariant value;
  check_com(control_.ReadWidget(id_.value, property, value.put()));
  if (V_VT(value.get()) == VT_I8)  // a window handle
    return Variant::r8(static_cast<double>(V_I8(value.get())));
  return variant_from_com(*value);
}

std::string RemoteWidget::caption() const {
  return read(WidgetProperty::caption).to_string();
}

std::string RemoteWidget::text() const {
  return read(WidgetProperty::text).to_string();
}

Colour RemoteWidget::back_colour() const {
  return static_cast<Colour>(read(WidgetProperty::back_colour).to_i4());
}

Colour RemoteWidget::fore_colour() const {
  return static_cast<Colour>(read(WidgetProperty::fore_colour).to_i4());
}

bool RemoteWidget::font_bold() const {
  return read(WidgetProperty::font_bold).to_bool() != 0;
}

bool RemoteWidget::enabled() const {
  return read(WidgetProperty::enabled).to_bool() != 0;
}

Int32 RemoteWidget::value() const {
  return read(WidgetProperty::value).to_i4();
}

int RemoteWidget::list_index() const {
  return read(WidgetProperty::list_index).to_i4();
}

std::vector<std::string> RemoteWidget::items() const {
  const std::string joined = read(WidgetProperty::items).to_string();
  std::vector<std::string> items;
  if (joined.empty()) return items;
  std::size_t start = 0;
  for (std::size_t end; (end = joined.find('\n', start)) != std::string::npos; start = end + 1)
    items.push_back(joined.substr(start, end - start));
  items.push_back(joined.substr(start));
  return items;
}

HWND RemoteWidget::window() const {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(read(WidgetProperty::window).to_r8()));
}

HWND RemoteWidget::text_field() const {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(read(WidgetProperty::text_field).to_r8()));
}

HWND RemoteWidget::mouse_window() const {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(read(WidgetProperty::mouse_window).to_r8()));
}

LPARAM RemoteWidget::middle() const {
  return static_cast<LPARAM>(static_cast<std::uint32_t>(read(WidgetProperty::middle).to_i4()));
}

void RemoteWidget::refresh_accessible_text() {
  Widget::set_accessible_text(read(WidgetProperty::accessible_name).to_string(),
                              read(WidgetProperty::accessible_description).to_string());
}

RemoteSurface::RemoteSurface(ComRef<DnovarInspection> control) : control_(std::move(control)) {
  for (std::size_t i = 0; i < table().widgets.size(); ++i)
    widgets_.push_back(std::make_unique<RemoteWidget>(*control_, WidgetId{static_cast<int>(i)}));
  // Called as this thread takes its messages, which every input's settling does.
  focus_hook_ = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &focus_event,
                                GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
  if (focus_hook_ != nullptr) listening_[focus_hook_] = this;
}

RemoteSurface::~RemoteSurface() {
  if (focus_hook_ == nullptr) return;
  UnhookWinEvent(focus_hook_);
  listening_.erase(focus_hook_);
}

void CALLBACK RemoteSurface::focus_event(HWINEVENTHOOK hook, DWORD, HWND window, LONG object,
                                         LONG child, DWORD, DWORD) {
  if (const auto found = listening_.find(hook); found != listening_.end())
    found->second->focused(window, object, child);
}

void RemoteSurface::focused(HWND window, LONG object, LONG child) {
  if (object != OBJID_CLIENT || child <= 0 || window != surface_window()) return;
  // The client object's children are the drawn widgets first (labels and frames), in the table's
  // order, from 1.
  LONG drawn = 0;
  const std::vector<WidgetRow>& rows = table().widgets;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].kind != WidgetKind::Label && rows[i].kind != WidgetKind::Frame) continue;
    if (++drawn != child) continue;
    const int cell = static_cast<int>(i) - widget_ids::first_day_cell;
    focused_cell_ = cell >= 0 && cell < kDayCellCount ? cell : -1;
    return;
  }
}

HWND RemoteSurface::surface_window() const {
  return widgets_.at(day_cell_id(0).value)->mouse_window();
}

HWND RemoteSurface::grid_window() const {
  return FindWindowExW(surface_window(), nullptr, kGridKeysClass, nullptr);
}

int RemoteSurface::grid_cursor() const {
  const HWND grid = grid_window();
  return grid != nullptr && GetFocus() == grid ? focused_cell_ : -1;
}

const WidgetTable& RemoteSurface::table() const {
  return calendar_widget_table();
}

RemoteWidget& RemoteSurface::widget(WidgetId id) {
  RemoteWidget& found = *widgets_.at(static_cast<std::size_t>(id.value));
  found.refresh_accessible_text();
  return found;
}

bool RemoteSurface::enabled() const {
  return IsWindowEnabled(widgets_.at(day_cell_id(0).value)->mouse_window()) != FALSE;
}

}  // namespace dnovar::script
