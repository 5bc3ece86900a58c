// Names and help strings in a compiled type library are 8-bit text, which readers (LoadTypeLib, in
// Windows and in Wine alike) decode in the ANSI code page of the reading process, whatever locale
// the library names. The names are identifiers hosts' code is written with, so they stay as
// written, in Windows-1250, the code page of Czech Windows. The help strings are what an object
// browser shows: written in Windows-1250 they read as "Èeský kalendáø" under Windows-1252, so the
// library carries them in the range every code page reads the same, ASCII, the Czech letters
// without their diacritics ("Cesky kalendar"). The registry, which holds UTF-16, keeps the
// library's description as written.
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

// The UTF-8 text as the library stores it: its Windows-1250 bytes. Raises 5 for a character that
// code page lacks.
std::string library_bytes(std::string_view utf8);
// A help string as the library stores it, in ASCII. Raises 5 for a character that is neither ASCII
// nor a Czech letter.
std::string library_help_text(std::string_view utf8);
// The UTF-8 text of bytes read from the library.
std::string text_of_library_bytes(std::string_view bytes);

// Type-library writers and readers take and give these bytes as UTF-16 in the ANSI code page of the
// process: the bytes widened one by one as that code page reads them, and back.
std::wstring as_ansi_wide(std::string_view bytes);
std::string ansi_bytes_of(std::wstring_view wide);

}  // namespace dnovar
