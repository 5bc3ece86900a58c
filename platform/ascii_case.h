// Names that compare without regard to ASCII case, as the platform's names do (late-bound member
// names, ProgIDs, bag keys, "True"). Letters outside ASCII compare exactly.
#pragma once

#include <string_view>

namespace dnovar {

constexpr char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equal_ignoring_ascii_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

}  // namespace dnovar
