// The dates and week numbers that depend on the calendar's rules (platform/calendar_rules.h).
#pragma once

#include <optional>

#include "platform/calendar_rules.h"
#include "platform/date.h"
#include "platform/int16.h"

namespace dnovar {

// Easter Monday of `year` (0..99 read as 1930..2029, as every date build does; error 5 where
// 21 March of the year is no date): the estimate, or the Monday after the Gregorian Easter Sunday.
DateSerial easter_monday(CalendarRules rules, Int16 year);

// Good Friday of `year`, a public holiday under the current rules from 2016 on; none otherwise.
std::optional<DateSerial> good_friday(CalendarRules rules, Int16 year);

// The week number the calendar shows for `date` of the shown `year`: the control's own, or the
// ISO 8601 week (Monday first; week 1 holds the year's first Thursday).
long long week_number(CalendarRules rules, DateSerial date, Int16 year);

}  // namespace dnovar
