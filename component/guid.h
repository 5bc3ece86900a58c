// A 16-byte globally unique identifier, written "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
//
// The text form is the classic one: the first three groups are the 32-bit and two 16-bit fields
// as numbers, the last two groups the eight remaining bytes in order. Parsing accepts upper- and
// lower-case hex digits and requires the braces; formatting writes upper case.
//   parse_guid("{00020400-0000-0000-c000-000000000046}") -> data1 0x00020400, data4 {C0,0,..,46}
//
// Header-only on purpose: the registry (component/registry.h) stores class ids without depending
// on the component library.
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dnovar {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  friend constexpr auto operator<=>(const Guid&, const Guid&) = default;
  constexpr bool is_null() const { return *this == Guid{}; }
};

namespace guid_detail {

constexpr int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits at `pos`; nullopt when any is not a hex digit.
constexpr std::optional<std::uint32_t> read_hex(std::string_view text, std::size_t pos,
                                                int digits) {
  std::uint32_t value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = hex_value(text[pos + static_cast<std::size_t>(i)]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace guid_detail

constexpr std::size_t kGuidTextLength = 38;

constexpr std::optional<Guid> parse_guid(std::string_view text) {
  using guid_detail::read_hex;
  if (text.size() != kGuidTextLength || text[0] != '{' || text[37] != '}') return std::nullopt;
  if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') return std::nullopt;
  Guid guid;
  const auto d1 = read_hex(text, 1, 8);
  const auto d2 = read_hex(text, 10, 4);
  const auto d3 = read_hex(text, 15, 4);
  if (!d1 || !d2 || !d3) return std::nullopt;
  guid.data1 = *d1;
  guid.data2 = static_cast<std::uint16_t>(*d2);
  guid.data3 = static_cast<std::uint16_t>(*d3);
  // Bytes 0-1 stand before the fourth dash, bytes 2-7 after it.
  constexpr std::size_t byte_pos[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (std::size_t i = 0; i < 8; ++i) {
    const auto byte = read_hex(text, byte_pos[i], 2);
    if (!byte) return std::nullopt;
    guid.data4[i] = static_cast<std::uint8_t>(*byte);
  }
  return guid;
}

// For constants in code: a malformed literal fails to compile.
consteval Guid guid_literal(std::string_view text) {
  const auto guid = parse_guid(text);
  if (!guid) throw "malformed GUID literal";
  return *guid;
}

inline std::string format_guid(const Guid& guid) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "{";
  auto put = [&](std::uint32_t value, int digits) {
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
      text += kDigits[(value >> shift) & 0xF];
  };
  put(guid.data1, 8);
  text += '-';
  put(guid.data2, 4);
  text += '-';
  put(guid.data3, 4);
  text += '-';
  for (std::size_t i = 0; i < 8; ++i) {
    if (i == 2) text += '-';
    put(guid.data4[i], 2);
  }
  text += '}';
  return text;
}

// The sixteen bytes in memory order of the classic layout (little-endian fields), as resources
// and binary streams carry a GUID.
constexpr std::array<std::uint8_t, 16> guid_bytes(const Guid& guid) {
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(guid.data1 >> (8 * i));
  for (std::size_t i = 0; i < 2; ++i)
    bytes[4 + i] = static_cast<std::uint8_t>(guid.data2 >> (8 * i));
  for (std::size_t i = 0; i < 2; ++i)
    bytes[6 + i] = static_cast<std::uint8_t>(guid.data3 >> (8 * i));
  for (std::size_t i = 0; i < 8; ++i) bytes[8 + i] = guid.data4[i];
  return bytes;
}

}  // namespace dnovar

template <>
struct std::hash<dnovar::Guid> {
  std::size_t operator()(const dnovar::Guid& guid) const noexcept {
    // FNV-1a over the bytes: every bit of the id reaches the hash.
    std::uint64_t value = 1469598103934665603ull;
    for (const std::uint8_t octet : dnovar::guid_bytes(guid)) {
      value = (value ^ octet) * 1099511628211ull;
    }
    return static_cast<std::size_t>(value);
  }
};
