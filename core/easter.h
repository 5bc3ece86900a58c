// The movable Czech holiday: Easter Monday, estimated from a mean lunation (not the church's
// computus). From 21 March of the year, the days to the next mean full moon after the reference
// full moon R (1997-09-16 18:00, serial 35689.75) are rounded to a whole day; the result is the
// first Monday strictly after that full moon. It equals the church's Easter Monday in most years:
//   2000 -> 2000-04-24, 2024 -> 2024-04-01, 2001 -> 2001-04-09 (church: 04-16).
// Everything is computed in double precision, which decides borderline years (1761 -> 1761-03-23).
#pragma once

#include "platform/date.h"
#include "platform/int16.h"

namespace dnovar {

// Years 0..99 read as 1930..2029, as every date build does; error 5 where 21 March is no date.
DateSerial estimated_easter_monday(Int16 year);

}  // namespace dnovar
