// 16-bit integers and booleans as the control's platform has them.
//
// Every step is checked: a result outside -32768..32767 raises overflow (6), never wraps.
// Conversions from double round to nearest with halves to the even neighbour:
//   2.5 -> 2, 3.5 -> 4, -2.5 -> -2, 32767.5 -> 32768 (overflow), -32768.5 -> -32768 (fits).
// Booleans are 16 bits wide with true = -1, so `Not True` is 0 and `True + 1` is 0.
#pragma once

#include <cstdint>
#include <string_view>

namespace dnovar {

using Int16 = std::int16_t;
using Int32 = std::int32_t;
using Bool16 = std::int16_t;

inline constexpr Bool16 kTrue = -1;
inline constexpr Bool16 kFalse = 0;

constexpr Bool16 to_bool16(bool value) noexcept {
  return value ? kTrue : kFalse;
}

// Range checks; raise overflow (6) outside the target type.
Int16 checked_i16(long long value);
Int32 checked_i32(long long value);

Int16 add16(Int16 a, Int16 b);
Int16 sub16(Int16 a, Int16 b);
Int16 mul16(Int16 a, Int16 b);
Int16 neg16(Int16 a);

// Round half to even; NaN and infinities overflow as any out-of-range value does.
double round_half_even(double value) noexcept;
Int16 round_to_i16(double value);
Int32 round_to_i32(double value);

// The leading number of a text (see number_text.h), rounded into 16 bits: "40000" overflows.
Int16 i16_from_text(std::string_view text);

}  // namespace dnovar
