#include "core/calendar_state.h"

namespace dnovar {

void set_date_members(CalendarState& state, const DateParts& parts) {
  state.Rok = checked_i16(parts.date.year);
  state.Mesic = checked_i16(parts.date.month);
  state.Den = checked_i16(parts.date.day);
  state.Dtyd = checked_i16(parts.weekday);
}

}  // namespace dnovar
