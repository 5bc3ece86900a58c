// The user's arrow step on a spin button, one rule for every backend.
//
// - The up arrow moves towards Max, the down arrow towards Min, by the increment's size. Where Min
//   is greater than Max the up arrow therefore counts down: the range is the interval between them.
// - A step stops at the limit it moves towards and never wraps: 30 up by 5 in 1..31 gives 31, and
//   31 up gives no change.
// - A value outside the range (code may set any value) steps back into it, to the nearer limit in
//   the arrow's direction, and never further out: 40 down in 1..31 gives 31, 40 up no change.
// - An increment of 0 never moves.
#pragma once

#include <optional>

#include "platform/int16.h"

namespace dnovar {

// The value after one arrow step, or nullopt when the step changes nothing.
std::optional<Int32> spin_step(Int32 value, Int32 min, Int32 max, Int32 increment, bool up);

}  // namespace dnovar
