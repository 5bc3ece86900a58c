// Names and help strings in a compiled type library are 8-bit text, which readers decode in their
// ANSI code page. The library's texts are Czech, so they are stored in Windows-1250, the code page
// of Czech Windows, where hosts show them as written.
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

// The UTF-8 text as the library stores it: its Windows-1250 bytes. Raises 5 for a character that
// code page lacks.
std::string library_bytes(std::string_view utf8);
// The UTF-8 text of bytes read from the library.
std::string text_of_library_bytes(std::string_view bytes);

// Type-library writers and readers take and give these bytes as UTF-16 in the ANSI code page of the
// process: the bytes widened one by one as that code page reads them, and back.
std::wstring as_ansi_wide(std::string_view bytes);
std::string ansi_bytes_of(std::wstring_view wide);

}  // namespace dnovar
