#include "apps/container/win32/method_buttons.h"

#include <ctime>
#include <string>

#include "apps/common/ole/dispatch_calls.h"
#include "backends/win32/win32_text.h"

namespace dnovar::container {

namespace {

constexpr int kButtonWidth = 90;
constexpr int kRowHeight = 30;

HWND child(HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int id) {
  const HWND window = CreateWindowExW(kind == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0,
                                      kind, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  return window;
}

int this_year() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return local.tm_year + 1900;
}

}  // namespace

MethodButtons::MethodButtons(HWND parent, int first_id) : first_id_(first_id) {
  const wchar_t* names[] = {L"Aktualizuj", L"Velikonoce", L"ShowAbout"};
  for (int i = 0; i < 3; ++i)
    buttons_[i] = child(parent, L"BUTTON", names[i], WS_TABSTOP | BS_PUSHBUTTON, first_id + i);
  labels_[0] = child(parent, L"STATIC", L"k", 0, 0);
  k_ = child(parent, L"EDIT", L"0", WS_TABSTOP | ES_AUTOHSCROLL, 0);
  labels_[1] = child(parent, L"STATIC", L"Rok", 0, 0);
  year_ =
      child(parent, L"EDIT", std::to_wstring(this_year()).c_str(), WS_TABSTOP | ES_AUTOHSCROLL, 0);
  easter_ = child(parent, L"STATIC", L"", 0, 0);
  set_object(nullptr);
}

int MethodButtons::place(int x, int y) {
  for (int row = 0; row < 3; ++row)
    MoveWindow(buttons_[row], x, y + row * kRowHeight, kButtonWidth, 24, TRUE);
  const int label_x = x + kButtonWidth + 8;
  MoveWindow(labels_[0], label_x, y + 4, 28, 18, TRUE);
  MoveWindow(k_, label_x + 30, y + 1, 60, 22, TRUE);
  MoveWindow(labels_[1], label_x, y + kRowHeight + 4, 28, 18, TRUE);
  MoveWindow(year_, label_x + 30, y + kRowHeight + 1, 60, 22, TRUE);
  MoveWindow(easter_, label_x + 100, y + kRowHeight + 4, 100, 18, TRUE);
  return y + 2 * kRowHeight + 24;
}

void MethodButtons::set_object(IDispatch* object) {
  object_ = object;
  for (HWND button : buttons_) EnableWindow(button, object_ != nullptr);
}

bool MethodButtons::command(int id, const std::function<void(const RuntimeError&)>& report) {
  const int which = id - first_id_;
  if (which < 0 || which > 2) return false;
  if (object_ == nullptr) return true;
  try {
    if (which == 0) {
      ole::call_method(*object_, "Aktualizuj", {Variant::string(window_text(k_))});
    } else if (which == 1) {
      SetWindowTextW(easter_, L"");
      const Variant monday =
          ole::call_method(*object_, "Velikonoce", {Variant::string(window_text(year_))});
      SetWindowTextW(easter_, wide_text(monday.to_string()).c_str());
    } else {
      ole::call_method(*object_, "ShowAbout", {});
    }
  } catch (const RuntimeError& error) {
    report(error);
  }
  return true;
}

}  // namespace dnovar::container
