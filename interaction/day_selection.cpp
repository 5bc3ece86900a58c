#include "interaction/day_selection.h"

#include <optional>

#include "core/accessible_text.h"
#include "platform/toolkit.h"

namespace dnovar {

namespace {

// Sets Dlow at each start and Dhigh at each end of a highlighted run in cells 1..36; later edges
// overwrite earlier ones and nothing is cleared first. Returns whether any highlighted cell was
// met.
bool scan_interval_edges(Calendar& calendar) {
  CalendarState& s = calendar.state();
  const Colour highlight = highlight_colour(s);
  bool any_highlighted = false;
  bool previous = calendar.day_cell(0).back_colour() == highlight;
  for (Int16 i = 1; i <= kDayCellCount - 1; ++i) {
    const bool current = calendar.day_cell(i).back_colour() == highlight;
    if (current && !previous) s.Dlow = add16(sub16(i, s.Dtyd1), 2);
    if (!current && previous) s.Dhigh = add16(sub16(i, s.Dtyd1), 1);
    any_highlighted = any_highlighted || current;
    previous = current;
  }
  return any_highlighted;
}

void paint_cells(Calendar& calendar, Int16 from, Int16 to, Colour colour) {
  for (Int16 i = from; i <= to; i = add16(i, 1)) calendar.day_cell(i).set_back_colour(colour);
}

}  // namespace

void day_mouse_down(Calendar& calendar, int cell) {
  calendar.state().DenStisk = checked_i16(cell);
}

void day_mouse_move(Calendar& calendar, int cell, int buttons) {
  CalendarState& s = calendar.state();
  const bool left_held = (buttons & kLeftButton) != 0;
  const bool right_held = (buttons & kRightButton) != 0;
  if (left_held) s.TahLevy = kTrue;
  if (right_held) s.TahPravy = kTrue;
  s.DenPohyb = checked_i16(cell);

  bool painted = false;
  if (!left_held && s.DenStisk >= 0 && s.TahLevy != 0) {
    // A drag released past the last day ends at the cell of day 31.
    const Int16 last_cell = add16(s.Dtyd1, 29);
    if (s.DenPohyb > last_cell) s.DenPohyb = last_cell;
    paint_cells(calendar, s.DenStisk, s.DenPohyb, highlight_colour(s));
    s.DenStisk = -1;
    s.TahLevy = kFalse;
    scan_interval_edges(calendar);
    painted = true;
  }

  if (!right_held && s.DenStisk >= 0 && s.TahPravy != 0) {
    paint_cells(calendar, s.DenStisk, s.DenPohyb, kButtonFace);
    s.DenStisk = -1;
    s.TahPravy = kFalse;
    if (!scan_interval_edges(calendar)) {
      s.Dlow = 0;
      s.Dhigh = 0;
    }
    painted = true;
  }

  calendar.day_cell(checked_cell_for_day(s.Den, s.Dtyd1)).set_back_colour(kCyan);
  if (s.Dlow == 0 && s.Dhigh > 0) s.Dlow = 1;
  // A screen reader hears the painted days as the grid now shows them.
  if (painted) describe_month(calendar);
}

void day_double_click(Calendar& calendar, int cell) {
  if (cell < 0 || cell >= kDayCellCount) raise_no_such_element(cell);
  const std::optional<DrawnMonth>& drawn = calendar.drawn_month();
  // Before the first refresh every cell shows the table's caption "D", which is no day number: a
  // type mismatch (13), as the control has always reported it there.
  if (!drawn) raise_type_mismatch();
  const int day = day_for_cell(*drawn, cell);
  // A cell outside the month shows no day: nothing to select.
  if (day == 0) return;
  calendar.state().Den = static_cast<Int16>(day);
  calendar.Aktualizuj(0);
}

}  // namespace dnovar
