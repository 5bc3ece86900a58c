// Which day of the month each day cell shows, as the refresh last drew the grid. The refresh
// numbers the cells through this record and the input on the grid maps a cell back to its day
// through it, never through the cell's caption. It is not Dtyd1 either: the host may rewrite
// Dtyd1 between refreshes, and the cells keep showing the month last drawn until the next one.
//
//   May 2024 (the 1st a Wednesday) is DrawnMonth{2, 31}:
//     day_for_cell(m, 2) == 1, day_for_cell(m, 32) == 31
//     day_for_cell(m, 1) == day_for_cell(m, 33) == 0   blank cells before and after the month
//     cell_for_day(m, 1) == 2, cell_for_day(m, 31) == 32
//   The refresh draws a month even with no days (day_count 0: every cell blank). Before the first
//   refresh nothing is drawn at all, and the cells show their table caption "D" (see Calendar).
#pragma once

namespace dnovar {

struct DrawnMonth {
  int first_cell = 0;  // the cell of day 1: Dtyd1 - 1 as the refresh had it, 0..6
  int day_count = 0;   // days 1..day_count stand in the grid; the other cells are blank
};

// The day cell `cell` (0..36) shows, or 0 for a blank cell.
constexpr int day_for_cell(const DrawnMonth& month, int cell) {
  const int day = cell - month.first_cell + 1;
  return day >= 1 && day <= month.day_count ? day : 0;
}
// The cell that shows day `day` (1..day_count).
constexpr int cell_for_day(const DrawnMonth& month, int day) {
  return month.first_cell + day - 1;
}

}  // namespace dnovar
