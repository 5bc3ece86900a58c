// The Czech names of the public holidays the calendar marks, for the accessible description of a
// holiday's cell under the current rules.
#pragma once

#include <string_view>

namespace dnovar {

// 0 for none; 1..11 the fixed holidays in the order of the calendar's table (1 January first).
inline constexpr int kGoodFriday = 12;
inline constexpr int kEasterMonday = 13;

// The holiday's name, empty for 0 and for numbers no holiday has.
std::string_view holiday_name(int holiday);

}  // namespace dnovar
