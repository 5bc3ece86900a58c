#include "platform/spin_step.h"

#include <algorithm>
#include <cstdlib>

namespace dnovar {

std::optional<Int32> spin_step(Int32 value, Int32 min, Int32 max, Int32 increment, bool up) {
  // 64 bits: |INT32_MIN| and value + step both leave the 32-bit range.
  const long long low = std::min(min, max);
  const long long high = std::max(min, max);
  const long long size = std::llabs(static_cast<long long>(increment));
  const bool towards_high = up == (min <= max);
  const long long from = value;
  const long long next = std::clamp(towards_high ? from + size : from - size, low, high);
  // Clamping pulls a value from beyond the far limit back; that is a step the wrong way.
  const bool moves_forward = towards_high ? next > from : next < from;
  if (!moves_forward) return std::nullopt;
  return static_cast<Int32>(next);
}

}  // namespace dnovar
