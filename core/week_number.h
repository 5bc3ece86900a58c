// The week number the control shows: week 1 is the Monday-to-Sunday week holding 1 January,
// whatever weekday that is; there is no minimum of days in the first week, so the last days of
// December can reach week 53 or 54 (2012-12-31 is in week 54).
#pragma once

#include "platform/date.h"
#include "platform/int16.h"

namespace dnovar {

// floor((date - J + w1 - 1) / 7 + 1), J = 1 January of `year`, w1 its weekday (Monday = 1).
long long week_number(DateSerial date, Int16 year);

}  // namespace dnovar
