// The keyboard on the day grid. A cursor starts on the current day when the grid takes the focus;
// Up/Down move it by a day and Left/Right by a week (the grid's columns are weeks), Home and End to
// the month's first and last day, and it never leaves the month (a move past either end stops
// there). Enter or Space is a double-click on the cursor's day. Shift with a move paints from the
// day where the Shift moves started to the cursor and Ctrl+Shift erases, each as one complete
// left or right drag over those days through the mouse's own handlers, so Dlow and Dhigh come out
// as the mouse makes them (backwards paints nothing, as a backwards drag does).
#pragma once

#include "core/calendar.h"
#include "platform/toolkit.h"

namespace dnovar {

class GridKeys {
 public:
  explicit GridKeys(Calendar& calendar) : calendar_(calendar) {}

  void focus_entered();
  void focus_left();
  void key(GridKey key, int modifiers);

 private:
  Int16 last_day() const;
  Int16 cell_of(Int16 day) const;
  bool in_grid(Int16 day) const;
  Int16 moved(GridKey key) const;
  void drag(Int16 from_day, Int16 to_day, int button);
  void show_cursor();

  Calendar& calendar_;
  Int16 cursor_ = 1;  // the day the cursor is on
  Int16 anchor_ = 0;  // the day where the Shift moves started; 0 = none since the last plain key
};

}  // namespace dnovar
