#include "component/system_message_win.h"

namespace dnovar {

std::string utf8_from_wide(std::wstring_view text) {
  if (text.empty()) return {};
  const int wide_length = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide_length, result.data(), length, nullptr,
                      nullptr);
  return result;
}

std::string system_message(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length != 0 ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.' ||
                           text.back() == L' '))
    text.pop_back();
  return text.empty() ? "system error " + std::to_string(error) : utf8_from_wide(text);
}

}  // namespace dnovar
