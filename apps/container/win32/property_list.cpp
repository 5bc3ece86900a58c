#include "apps/container/win32/property_list.h"

#include <commctrl.h>

#include "apps/common/ole/dispatch_calls.h"
#include "apps/container/property_text.h"
#include "backends/win32/win32_text.h"

namespace dnovar::container {

namespace {

constexpr int kFieldHeight = 22;
constexpr int kButtonWidth = 60;

HMENU command_id(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HFONT gui_font() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void set_cell(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = wide_text(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

PropertyList::PropertyList(HWND parent, int list_id, int value_id, int set_id) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  list_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0, 0, 0,
      0, parent, command_id(list_id), instance, nullptr);
  value_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                           command_id(value_id), instance, nullptr);
  // The window's default button: Enter where nobody else takes it sets the value.
  set_ =
      CreateWindowExW(0, L"BUTTON", L"Set", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                      0, 0, 0, 0, parent, command_id(set_id), instance, nullptr);
  for (HWND window : {list_, value_, set_})
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(gui_font()), TRUE);
  SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  const wchar_t* titles[] = {L"Property", L"Value"};
  for (int column = 0; column < 2; ++column) {
    LVCOLUMNW format{};
    format.mask = LVCF_TEXT | LVCF_WIDTH;
    format.cx = column == 0 ? 110 : 170;
    format.pszText = const_cast<wchar_t*>(titles[column]);
    SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&format));
  }
}

void PropertyList::place(int x, int y, int width, int height) {
  const int list_height = height - kFieldHeight - 6;
  MoveWindow(list_, x, y, width, list_height, TRUE);
  MoveWindow(value_, x, y + list_height + 6, width - kButtonWidth - 6, kFieldHeight, TRUE);
  MoveWindow(set_, x + width - kButtonWidth, y + list_height + 5, kButtonWidth, kFieldHeight + 2,
             TRUE);
  SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
}

void PropertyList::show_object(IDispatch* object,
                               const std::function<void(const RuntimeError&)>& report) {
  SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  SetWindowTextW(value_, L"");
  object_ = object;
  properties_.clear();
  if (object_ == nullptr) return;
  try {
    properties_ = properties_of(*object_);
  } catch (const RuntimeError& error) {
    report(error);
    return;
  }
  for (std::size_t row = 0; row < properties_.size(); ++row) {
    std::wstring name = wide_text(properties_[row].name);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = name.data();
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  refresh();
}

void PropertyList::refresh() {
  for (std::size_t row = 0; row < properties_.size(); ++row) show_value(static_cast<int>(row));
}

void PropertyList::show_value(int row) {
  const PropertyInfo& property = properties_[static_cast<std::size_t>(row)];
  std::string text;
  try {
    text = property_text(ole::get_property(*object_, property.name), property.type);
  } catch (const RuntimeError& error) {
    // Shown in place: a value that cannot be read would otherwise fill the log at every refresh.
    text = "<error " + std::to_string(error.number()) + ": " + error.what() + ">";
  }
  set_cell(list_, row, 1, text);
}

int PropertyList::selected() const {
  return static_cast<int>(
      SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void PropertyList::selection_changed() {
  const int row = selected();
  if (row < 0 || static_cast<std::size_t>(row) >= properties_.size()) return;
  wchar_t text[512] = {};
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(std::size(text));
  SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SetWindowTextW(value_, text);
  EnableWindow(value_, properties_[static_cast<std::size_t>(row)].writable);
  EnableWindow(set_, properties_[static_cast<std::size_t>(row)].writable);
}

bool PropertyList::apply(const std::function<void(const RuntimeError&)>& report) {
  const int row = selected();
  if (object_ == nullptr || row < 0 || static_cast<std::size_t>(row) >= properties_.size())
    return false;
  const PropertyInfo& property = properties_[static_cast<std::size_t>(row)];
  bool written = false;
  try {
    ole::put_property(*object_, property.name, property_value(window_text(value_), property.type));
    written = true;
  } catch (const RuntimeError& error) {
    report(error);
  }
  // The control decides what the property holds now (it may have ignored the value).
  refresh();
  selection_changed();
  return written;
}

}  // namespace dnovar::container
