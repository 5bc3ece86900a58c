// Characters of a text as the platform's text conversions see them (text_conversion.h).
#pragma once

#include <string>
#include <string_view>

namespace dnovar {

// The text's characters (UTF-8 decoded as utf8.h does).
std::u32string text_characters(std::string_view text);

constexpr bool is_ascii_digit(char32_t c) {
  return c >= U'0' && c <= U'9';
}
constexpr bool is_hex_letter(char32_t c) {
  return (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}
constexpr int hex_letter_value(char32_t c) {
  return static_cast<int>(c >= U'a' ? c - U'a' : c - U'A') + 10;
}

// Blanks as the platform's classification has them, the no-break space among them.
bool is_text_space(char32_t c);

// Letters of the Latin scripts (Czech included), for words in dates.
bool is_text_letter(char32_t c);

// Whether `text` begins with `word`, letters compared without regard to case (Latin-1 and
// Latin Extended-A: "ČERVEN" begins with "červen").
bool starts_with_ignoring_case(std::u32string_view text, std::u32string_view word);

}  // namespace dnovar
