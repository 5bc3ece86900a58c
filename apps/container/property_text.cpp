#include "apps/container/property_text.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "platform/error.h"

namespace dnovar::container {

namespace {

std::string_view trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool starts_with_ignoring_case(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if ((text[i] | 0x20) != (prefix[i] | 0x20)) return false;
  return true;
}

// The digits of "0x..." or "&H...[&]", or nothing when the text is not written in hex.
std::optional<std::string_view> hex_digits(std::string_view text) {
  if (starts_with_ignoring_case(text, "0x")) return text.substr(2);
  if (starts_with_ignoring_case(text, "&h")) {
    text.remove_prefix(2);
    if (!text.empty() && text.back() == '&') text.remove_suffix(1);
    return text;
  }
  return std::nullopt;
}

Int32 parse_hex_colour(std::string_view digits) {
  std::uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size())
    raise_type_mismatch();
  return static_cast<Int32>(value);  // the top bit marks a system colour
}

}  // namespace

std::string property_text(const Variant& value, ValueType type) {
  if (type == ValueType::colour && !value.is_empty()) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<std::uint32_t>(value.to_i4()));
    return text;
  }
  return value.to_string();
}

Variant property_value(std::string_view text, ValueType type) {
  if (type == ValueType::colour) {
    if (const auto digits = hex_digits(trim(text))) return Variant::i4(parse_hex_colour(*digits));
  }
  return Variant::string(std::string(text));
}

}  // namespace dnovar::container
