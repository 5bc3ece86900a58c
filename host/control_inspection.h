// For hosts that test or inspect a control (the script host, tests): the calendar's members,
// read-only and by value, so nothing of the control's inside crosses the module boundary. The
// widgets a host sees through the toolkit it gave the control, which created them.
#pragma once

#include "component/status.h"
#include "component/unknown.h"
#include "core/calendar_state.h"

namespace dnovar {

class ControlInspection : public Unknown {
 public:
  static constexpr Guid iid = guid_literal("{CD6C9225-B29F-4BB9-88C3-247E0D65E8D5}");
  // Copies the members into `state`; fails with error 91 while the control has no site.
  virtual Status read_state(CalendarState* state, ExceptionInfo* info) = 0;

 protected:
  ~ControlInspection() = default;
};

}  // namespace dnovar
