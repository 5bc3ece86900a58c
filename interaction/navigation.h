// The handlers behind the navigation widgets: month list, Today, shift, Close, the key filters of
// the shift and year boxes, and the three spinners. Each changes the calendar's members and calls
// the refresh; none draws.
#pragma once

#include "core/calendar.h"

namespace dnovar {

void month_list_click(Calendar& calendar);
void today_click(Calendar& calendar);
void shift_click(Calendar& calendar);
void close_click(Calendar& calendar);
void shift_box_key(Calendar& calendar, int& key_code);
void year_box_key(Calendar& calendar, int& key_code);

enum class Spinner { Month, Year, Day };
void spinner_change(Calendar& calendar, Spinner spinner);

}  // namespace dnovar
