#include "host/activex/state_members.h"

#include "host/control_members.h"
#include "platform/error.h"

namespace dnovar {

namespace {

const ControlMember& member(std::size_t index) {
  static const std::vector<const ControlMember*> members = state_members();
  if (index >= members.size()) raise_invalid_argument();
  return *members[index];
}

}  // namespace

std::string_view state_member_name(std::size_t index) {
  return member(index).name;
}

Variant state_member(const CalendarState& state, std::size_t index) {
  return member(index).state->read(state);
}

void set_state_member(CalendarState& state, std::size_t index, const Variant& value) {
  member(index).state->write(state, value);
}

}  // namespace dnovar
