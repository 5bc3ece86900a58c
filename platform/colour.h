// Colours as 32-bit values 0x00BBGGRR (red in the lowest byte). A value with the top bit set names
// a system colour by its low byte: 0x8000000F is the button face, 0x80000012 the button text.
// Widgets store and return colours unresolved; only a backend's painting resolves system colours.
#pragma once

#include <cstdint>

namespace dnovar {

using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kButtonFace = 0x8000000Fu;
inline constexpr Colour kButtonText = 0x80000012u;
inline constexpr Colour kWindowBackground = 0x80000005u;
inline constexpr Colour kWindowText = 0x80000008u;
inline constexpr Colour kYellow = 0x0000FFFFu;
inline constexpr Colour kCyan = 0x00FFFF00u;
inline constexpr Colour kBlue = 0x00FF0000u;
inline constexpr Colour kRed = 0x000000FFu;

constexpr bool is_system_colour(Colour c) noexcept {
  return (c & kSystemColourFlag) != 0;
}
constexpr int system_colour_index(Colour c) noexcept {
  return static_cast<int>(c & 0xFFu);
}
constexpr int red_of(Colour c) noexcept {
  return static_cast<int>(c & 0xFFu);
}
constexpr int green_of(Colour c) noexcept {
  return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int blue_of(Colour c) noexcept {
  return static_cast<int>((c >> 16) & 0xFFu);
}

}  // namespace dnovar
