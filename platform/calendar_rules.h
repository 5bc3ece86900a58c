// The rules a calendar marks its movable holidays and numbers its weeks by, chosen per instance
// by its host (ControlSite::calendar_rules):
//   Control  the control's own definition: the eleven fixed holidays, Easter Monday estimated from
//            a mean lunation, the week holding 1 January as week 1 (core/easter.h,
//            core/week_number.h)
//   Current  today's Czech calendar: the same eleven fixed holidays, Easter Monday from the
//            Gregorian Easter date, Good Friday from 2016 on, the ISO 8601 week number
// The automation interface and everything it stores keep Control.
#pragma once

#include <optional>
#include <string_view>

namespace dnovar {

enum class CalendarRules { Control, Current };

// "control" and "current" (as the command line writes them), and back; nullopt for other text.
std::string_view rules_name(CalendarRules rules);
std::optional<CalendarRules> rules_from_name(std::string_view name);

}  // namespace dnovar
