#include "apps/render/render_options.h"

#include <charconv>

namespace dnovar::app {

namespace {

constexpr Colour kLargestRgb = 0x00FFFFFFu;

}  // namespace

std::optional<Colour> parse_highlight_colour(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  unsigned long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value == 0 || value > kLargestRgb) return std::nullopt;
  return static_cast<Colour>(value);
}

}  // namespace dnovar::app
