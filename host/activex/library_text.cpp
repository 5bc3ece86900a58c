#include "host/activex/library_text.h"

#include <windows.h>

#include "platform/error.h"
#include "platform/wide_text.h"

namespace dnovar {

namespace {

constexpr UINT kCzechCodePage = 1250;

std::string narrow(UINT code_page, std::wstring_view wide, bool exact) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  BOOL defaulted = FALSE;
  BOOL* check = exact ? &defaulted : nullptr;
  const DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
  const int length =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, check);
  std::string result(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(code_page, flags, wide.data(), size, result.data(), length, nullptr, check);
  if (defaulted)
    throw RuntimeError(error_number::invalid_argument,
                       "Invalid procedure call or argument: a character Windows-1250 lacks");
  ;
  return result;
}

std::wstring widen(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, result.data(), length);
  return result;
}

}  // namespace

std::string library_bytes(std::string_view utf8) {
  return narrow(kCzechCodePage, wide_text(utf8), true);
}

std::string text_of_library_bytes(std::string_view bytes) {
  return utf8_text(widen(kCzechCodePage, bytes));
}

std::wstring as_ansi_wide(std::string_view bytes) {
  std::wstring wide = widen(CP_ACP, bytes);
  // A code page that maps two bytes to one character would lose them on the way back.
  if (narrow(CP_ACP, wide, false) != bytes)
    throw RuntimeError(error_number::invalid_argument,
                       "Invalid procedure call or argument: the ANSI code page changes the bytes");
  ;
  return wide;
}

std::string ansi_bytes_of(std::wstring_view wide) {
  return narrow(CP_ACP, wide, false);
}

}  // namespace dnovar
