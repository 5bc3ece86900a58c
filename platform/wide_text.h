// Text between the project (UTF-8) and the Windows API (UTF-16 in wchar_t). Windows only: the
// other platforms' APIs take UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

std::wstring wide_text(std::string_view utf8);
std::string utf8_text(std::wstring_view text);

}  // namespace dnovar
