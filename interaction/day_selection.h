// The mouse on the day grid. A left drag paints a run of cells in the highlight colour, a right
// drag paints it plain again; the first move notification after the button's release completes the
// drag, and the interval Dlow..Dhigh is then read back from the cell colours (the edge scan). A
// double-click makes the day the cell shows the current day (the month as the refresh last drew
// it, core/drawn_month.h). The drag works on the cell colours directly and never refreshes.
#pragma once

#include "core/calendar.h"

namespace dnovar {

void day_mouse_down(Calendar& calendar, int cell);
void day_mouse_move(Calendar& calendar, int cell, int buttons);
void day_double_click(Calendar& calendar, int cell);

}  // namespace dnovar
