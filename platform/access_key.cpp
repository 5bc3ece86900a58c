#include "platform/access_key.h"

#include "platform/ascii_case.h"

namespace dnovar {

char access_key(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char marked = ascii_lower(caption[++i]);
    if (marked == '&') continue;
    const bool letter_or_digit =
        (marked >= 'a' && marked <= 'z') || (marked >= '0' && marked <= '9');
    return letter_or_digit ? marked : 0;
  }
  return 0;
}

std::string shown_caption(std::string_view caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;
    shown.push_back(caption[i]);
  }
  return shown;
}

}  // namespace dnovar
