#include "host/activex/library_text.h"

#include <windows.h>

#include <utility>

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

// Each Czech letter with a diacritic and the letter it is written without.
constexpr std::pair<wchar_t, char> kCzechLetters[] = {
    {L'á', 'a'}, {L'č', 'c'}, {L'ď', 'd'}, {L'é', 'e'}, {L'ě', 'e'}, {L'í', 'i'},
    {L'ň', 'n'}, {L'ó', 'o'}, {L'ř', 'r'}, {L'š', 's'}, {L'ť', 't'}, {L'ú', 'u'},
    {L'ů', 'u'}, {L'ý', 'y'}, {L'ž', 'z'}, {L'Á', 'A'}, {L'Č', 'C'}, {L'Ď', 'D'},
    {L'É', 'E'}, {L'Ě', 'E'}, {L'Í', 'I'}, {L'Ň', 'N'}, {L'Ó', 'O'}, {L'Ř', 'R'},
    {L'Š', 'S'}, {L'Ť', 'T'}, {L'Ú', 'U'}, {L'Ů', 'U'}, {L'Ý', 'Y'}, {L'Ž', 'Z'}};

char ascii_of(wchar_t character) {
  if (character < 0x80) return static_cast<char>(character);
  for (const auto& [letter, plain] : kCzechLetters)
    if (letter == character) return plain;
  throw RuntimeError(error_number::invalid_argument,
                     "Invalid procedure call or argument: a character a type library cannot hold");
}

}  // namespace

std::string library_help_text(std::string_view utf8) {
  std::string result;
  for (const wchar_t character : wide_text(utf8)) result.push_back(ascii_of(character));
  return result;
}

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
