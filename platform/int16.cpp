#include "platform/int16.h"

#include <cmath>
#include <limits>

#include "platform/error.h"
#include "platform/number_text.h"

namespace dnovar {

Int16 checked_i16(long long value) {
  if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max())
    raise_overflow();
  return static_cast<Int16>(value);
}

Int32 checked_i32(long long value) {
  if (value < std::numeric_limits<Int32>::min() || value > std::numeric_limits<Int32>::max())
    raise_overflow();
  return static_cast<Int32>(value);
}

Int16 add16(Int16 a, Int16 b) {
  return checked_i16(static_cast<long long>(a) + b);
}
Int16 sub16(Int16 a, Int16 b) {
  return checked_i16(static_cast<long long>(a) - b);
}
Int16 mul16(Int16 a, Int16 b) {
  return checked_i16(static_cast<long long>(a) * b);
}
Int16 neg16(Int16 a) {
  return checked_i16(-static_cast<long long>(a));
}

double round_half_even(double value) noexcept {
  // nearbyint follows the current rounding mode; the control never changes it from
  // round-to-nearest-even, so this is banker's rounding.
  return std::nearbyint(value);
}

namespace {
template <typename T>
T round_into(double value) {
  const double rounded = round_half_even(value);
  // NaN fails both comparisons' complements, so test for inclusion.
  if (!(rounded >= static_cast<double>(std::numeric_limits<T>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<T>::max())))
    raise_overflow();
  return static_cast<T>(rounded);
}
}  // namespace

Int16 round_to_i16(double value) {
  return round_into<Int16>(value);
}
Int32 round_to_i32(double value) {
  return round_into<Int32>(value);
}

Int16 i16_from_text(std::string_view text) {
  return round_to_i16(leading_number(text));
}

}  // namespace dnovar
