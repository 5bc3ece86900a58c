// The control's members, one row each: the only place a member's automation name, dispatch id,
// type, help string, bag key and default, change notification and Qt property are written down.
// From these rows come the type library (type_library.cpp), the dispatch bindings
// (dnovar_control.cpp), the bag's keys and defaults (persistence.cpp), the state inspection
// across a module boundary (activex/state_members.cpp), the ActiveX control's dual entries and
// the Qt widget's property mapping.
//
// Adding a member is one row here plus its behaviour in core/ (see docs/architecture.md).
//
// The rows are in one fixed order that serves two fixed lists at once: the automation interface
// lists its members in the order of the rows that have a dispatch id (the dual interface's vtable
// follows it), and the state inspection lists the rows that read the calendar's state in theirs.
// The bag has an order of its own (bag_position).
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "component/dispatch_table.h"
#include "component/type_library.h"
#include "core/calendar.h"

namespace dnovar {

// How a member appears in the automation interface.
enum class MemberKind {
  field,     // a public field: read and written as is, no notification, no refresh
  property,  // read and write accessors
  method,
  state,  // not in the automation interface: a member of the calendar's state, for inspection
};

// English handles for the members that code outside the table reaches by hand (the ActiveX
// control's dual entries, the Qt widget).
enum class Member {
  weekday,
  first_weekday,
  holidays_shown,
  range_low,
  range_high,
  day_increment,
  refresh,
  caption,
  highlight_colour,
  date,
  easter_monday,
  enabled,
  about,
  none,  // a member of the state only
};

// The member's key in the host's property bag: read at load, written at save with its default
// (a value equal to it is not stored), taken by a new instance.
struct BagKey {
  int position = 0;  // the order keys are read, written and stored in
  Variant (*default_value)(Calendar& calendar) = nullptr;
  Variant (*saved_value)(Calendar& calendar) = nullptr;
  void (*take)(Calendar& calendar, const Variant& value) = nullptr;
  bool taken_when_new = true;  // false: a new instance leaves the member as it is
};

// The member's place in the calendar's state, as inspecting hosts read and write it (as held:
// a 16-bit boolean reads as an integer, the highlight colour as the value it was given).
struct StateSlot {
  Variant (*read)(const CalendarState& state) = nullptr;
  void (*write)(CalendarState& state, const Variant& value) = nullptr;
};

struct ControlMember {
  Member which = Member::none;
  std::string_view name{};  // as hosts and the state inspection name it
  MemberKind kind = MemberKind::state;
  DispatchId id = 0;                    // 0: not in the automation interface
  ValueType type = ValueType::none;     // the value's (a method's result) type
  std::vector<Parameter> parameters{};  // a method's
  std::string_view help{};
  bool notifies = false;           // its write accessor tells the host the property changed
  std::string_view qt_property{};  // the dnovar::CalendarWidget property it backs, if any
  // The automation interface's behaviour: read, write, call.
  Variant (*get)(Calendar& calendar) = nullptr;
  void (*put)(Calendar& calendar, const Variant& value) = nullptr;
  Variant (*call)(Calendar& calendar, Args& args) = nullptr;
  std::optional<BagKey> bag{};
  std::optional<StateSlot> state{};
};

// Every row, in the fixed order above.
std::span<const ControlMember> control_members();
const ControlMember& control_member(Member which);
// Null for a name no row has.
const ControlMember* control_member_named(std::string_view name);

// The rows with a bag key, in the bag's order.
std::vector<const ControlMember*> bag_members();
// The rows with a state slot, in the inspection's order.
std::vector<const ControlMember*> state_members();

}  // namespace dnovar
