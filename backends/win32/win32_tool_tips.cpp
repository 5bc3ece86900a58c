#include "backends/win32/win32_tool_tips.h"

#include <commctrl.h>

#include "platform/wide_text.h"

namespace dnovar {

void Win32ToolTips::add(HWND child, std::string_view text) {
  tools_.push_back(Tool{child, RECT{}, reinterpret_cast<UINT_PTR>(child), wide_text(text)});
}

void Win32ToolTips::add(const RECT& area, UINT_PTR id, std::string_view text) {
  tools_.push_back(Tool{nullptr, area, id, wide_text(text)});
}

void Win32ToolTips::mouse_moved(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (control_ != nullptr || !over_a_tool(window, l)) return;
  create();
  if (control_ == nullptr) return;
  // Later moves reach the control through its own hooks; this first one it is told of.
  MSG move{window, message, w, l, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&move.pt);
  SendMessageW(control_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

bool Win32ToolTips::over_a_tool(HWND window, LPARAM position) const {
  const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  for (const Tool& tool : tools_)
    if (tool.child != nullptr ? tool.child == window
                              : window == surface_ && PtInRect(&tool.area, point))
      return true;
  return false;
}

void Win32ToolTips::create() {
  control_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, surface_,
                             nullptr, nullptr, nullptr);
  if (control_ == nullptr) return;  // no tips, nothing else lost
  for (Tool& tool : tools_) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS | (tool.child != nullptr ? TTF_IDISHWND : 0);
    info.hwnd = surface_;
    info.uId = tool.id;
    info.rect = tool.area;
    info.lpszText = tool.text.data();
    SendMessageW(control_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace dnovar
