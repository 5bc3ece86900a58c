#include "platform/calendar_rules.h"

namespace dnovar {

std::string_view rules_name(CalendarRules rules) {
  return rules == CalendarRules::Current ? "current" : "control";
}

std::optional<CalendarRules> rules_from_name(std::string_view name) {
  for (CalendarRules rules : {CalendarRules::Control, CalendarRules::Current})
    if (name == rules_name(rules)) return rules;
  return std::nullopt;
}

}  // namespace dnovar
