// The calendar's scalar members in the member table's fixed order, to read them across a module
// boundary one by one (DnovarInspection::ReadMember) and put them together again on the other side.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/calendar_state.h"
#include "platform/variant.h"

namespace dnovar {

inline constexpr std::size_t kStateMemberCount = 20;

std::string_view state_member_name(std::size_t index);
Variant state_member(const CalendarState& state, std::size_t index);
// Raises 5 for an index past the last member, the conversion's error for a value of a wrong type.
void set_state_member(CalendarState& state, std::size_t index, const Variant& value);

}  // namespace dnovar
