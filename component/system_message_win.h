// The system's text for a Windows error code, and UTF-16 <-> UTF-8 for the Windows side of the
// component model.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace dnovar {

std::string utf8_from_wide(std::wstring_view text);

// FormatMessageW's text for `error` without its trailing line end and full stop, or
// "system error N" when the system has none.
std::string system_message(DWORD error);

}  // namespace dnovar
