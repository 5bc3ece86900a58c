// The day grid's keyboard side on Windows: a child window of no size, the surface's last tab stop,
// that holds the focus while the grid has it and takes the grid keys (the arrows, Home, End, Enter
// and Space, with Shift and Ctrl as the keyboard state holds them). The surface draws the cells
// and the cursor's focus rectangle itself; this window only routes focus and keys.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/toolkit.h"

namespace dnovar {

// The grid window's class: a host that reaches the control only through its windows finds it by
// this name among the surface window's children.
inline constexpr wchar_t kGridKeysClass[] = L"DnovarDayGrid";

class Win32GridKeys {
 public:
  // `focus_moved(arriving, other)`: the window took the focus from `other` or lost it to it. The
  // window's class is registered in `instance`, the module holding the code.
  Win32GridKeys(HWND surface, HINSTANCE instance, std::function<void(bool, HWND)> focus_moved,
                std::function<void(GridKey, int)> key);
  Win32GridKeys(const Win32GridKeys&) = delete;
  Win32GridKeys& operator=(const Win32GridKeys&) = delete;

  // Made last among the surface's children: the dialog manager tabs in the Z order. It goes
  // with the surface window.
  HWND window() const { return window_; }

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);

  HWND window_ = nullptr;
  std::function<void(bool, HWND)> focus_moved_;
  std::function<void(GridKey, int)> key_;
};

}  // namespace dnovar
