// Owners of window-system handles for the time before something else takes them over: a throw
// while a window or its menu is being set up destroys what was made instead of leaking it.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dnovar {

struct WindowDestroyer {
  void operator()(HWND window) const noexcept { DestroyWindow(window); }
};

struct MenuDestroyer {
  void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};

using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
// A menu is the window's once the window is made with it: `release()` it then.
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace dnovar
