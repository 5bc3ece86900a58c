#include "interaction/grid_keys.h"

#include <algorithm>

#include "core/surface_layout.h"
#include "interaction/day_selection.h"

namespace dnovar {

void GridKeys::focus_entered() {
  cursor_ = std::clamp<Int16>(calendar_.state().Den, 1, last_day());
  anchor_ = 0;
  show_cursor();
}

void GridKeys::focus_left() {
  calendar_.surface().set_grid_cursor(-1);
}

void GridKeys::key(GridKey key, int modifiers) {
  // The month may have changed under the cursor since the last key (the host sets the date).
  cursor_ = std::clamp<Int16>(cursor_, 1, last_day());
  // Before the first refresh no day stands in a cell: there is nothing to move over or pick.
  if (!in_grid(cursor_)) return;
  if (key == GridKey::Enter || key == GridKey::Space) {
    anchor_ = 0;
    day_double_click(calendar_, cell_of(cursor_));
    show_cursor();
    return;
  }
  const bool extends = (modifiers & kShiftHeld) != 0;
  if (!extends || !in_grid(anchor_)) anchor_ = 0;
  if (extends && anchor_ == 0) anchor_ = cursor_;
  // A first weekday the host wrote past the grid's width may push the month's end out of it.
  if (const Int16 next = moved(key); in_grid(next)) cursor_ = next;
  if (extends) drag(anchor_, cursor_, (modifiers & kCtrlHeld) != 0 ? kRightButton : kLeftButton);
  show_cursor();
}

Int16 GridKeys::last_day() const {
  const CalendarState& s = calendar_.state();
  // Between a handler's change and the refresh the month may be out of range: no day then.
  if (s.Mesic < 1 || s.Mesic > 12) return 1;
  const Int16 days = s.DnuVMesici[static_cast<std::size_t>(s.Mesic)];
  return s.Prestup != 0 && s.Mesic == 2 ? add16(days, 1) : days;
}

Int16 GridKeys::cell_of(Int16 day) const {
  return checked_cell_for_day(day, calendar_.state().Dtyd1);
}

Int16 GridKeys::moved(GridKey key) const {
  int day = cursor_;
  switch (key) {
    case GridKey::Up:
      day -= 1;
      break;
    case GridKey::Down:
      day += 1;
      break;
    case GridKey::Left:
      day -= kWeekdayCount;
      break;
    case GridKey::Right:
      day += kWeekdayCount;
      break;
    case GridKey::Home:
      day = 1;
      break;
    case GridKey::End:
      day = last_day();
      break;
    case GridKey::Enter:
    case GridKey::Space:
      break;
  }
  return static_cast<Int16>(std::clamp(day, 1, static_cast<int>(last_day())));
}

// A press on the first day, a held move over every day up to the second in the order the pointer
// passes them, and the move after the release that completes the drag.
void GridKeys::drag(Int16 from_day, Int16 to_day, int button) {
  const int from = cell_of(from_day);
  const int to = cell_of(to_day);
  const int step = to >= from ? 1 : -1;
  day_mouse_down(calendar_, from);
  for (int cell = from;; cell += step) {
    day_mouse_move(calendar_, cell, button);
    if (cell == to) break;
  }
  day_mouse_move(calendar_, to, 0);
}

bool GridKeys::in_grid(Int16 day) const {
  const int cell = cell_for_day(day, calendar_.state().Dtyd1);
  return cell >= 0 && cell < kDayCellCount;
}

void GridKeys::show_cursor() {
  calendar_.surface().set_grid_cursor(in_grid(cursor_) ? cell_of(cursor_) : -1);
}

}  // namespace dnovar
