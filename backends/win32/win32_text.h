// Text between the control (UTF-8) and the Windows API (UTF-16).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace dnovar {

std::wstring wide_text(std::string_view utf8);
std::string utf8_text(std::wstring_view text);
// A window's text (a caption, an edit box's contents) as UTF-8.
std::string window_text(HWND window);

}  // namespace dnovar
