#include "platform/text_scan.h"

#include "platform/utf8.h"

namespace dnovar {

namespace {

char32_t lower_case(char32_t c) {
  if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  // Latin Extended-A pairs capital and small letters as even and odd code points, with the
  // pairing shifting by one between U+0139 and U+0148 and from U+0179 on.
  const bool odd_pairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  const bool even_pairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  if ((odd_pairs && c % 2 == 1) || (even_pairs && c % 2 == 0)) return c + 1;
  return c;
}

}  // namespace

std::u32string text_characters(std::string_view text) {
  std::u32string characters;
  for (const int c : code_points(text)) characters.push_back(static_cast<char32_t>(c));
  return characters;
}

bool is_text_space(char32_t c) {
  return c == U' ' || (c >= U'\t' && c <= U'\r') || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool is_text_letter(char32_t c) {
  return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == 0xAA || c == 0xB5 ||
         c == 0xBA || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

bool starts_with_ignoring_case(std::u32string_view text, std::u32string_view word) {
  if (word.empty() || text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (lower_case(text[i]) != lower_case(word[i])) return false;
  return true;
}

}  // namespace dnovar
