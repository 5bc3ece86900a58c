#include "interaction/calendar_events.h"

#include "interaction/day_selection.h"
#include "interaction/navigation.h"

namespace dnovar {

namespace {
// The day cell an id stands for, or -1 for any other widget.
int day_cell_of(WidgetId id) {
  const int cell = id.value - widget_ids::first_day_cell;
  return cell >= 0 && cell < kDayCellCount ? cell : -1;
}
}  // namespace

CalendarEvents::CalendarEvents(Calendar& calendar) : calendar_(calendar), grid_keys_(calendar) {
  calendar_.surface().set_events(this);
}

CalendarEvents::~CalendarEvents() {
  calendar_.surface().set_events(nullptr);
}

void CalendarEvents::click(WidgetId id) {
  if (id == widget_ids::cmbMonth)
    month_list_click(calendar_);
  else if (id == widget_ids::cmdDnes)
    today_click(calendar_);
  else if (id == widget_ids::cmdDplus)
    shift_click(calendar_);
  else if (id == widget_ids::cmdZavri)
    close_click(calendar_);
}

void CalendarEvents::value_changed(WidgetId id) {
  if (id == widget_ids::UpDown1)
    spinner_change(calendar_, Spinner::Month);
  else if (id == widget_ids::UpDown2)
    spinner_change(calendar_, Spinner::Year);
  else if (id == widget_ids::UpDown3)
    spinner_change(calendar_, Spinner::Day);
}

void CalendarEvents::key_press(WidgetId id, int& key_code) {
  if (id == widget_ids::txtDplus)
    shift_box_key(calendar_, key_code);
  else if (id == widget_ids::txtYear)
    year_box_key(calendar_, key_code);
}

void CalendarEvents::mouse_down(WidgetId id, int) {
  if (const int cell = day_cell_of(id); cell >= 0) day_mouse_down(calendar_, cell);
}

void CalendarEvents::mouse_move(WidgetId id, int buttons) {
  if (const int cell = day_cell_of(id); cell >= 0) day_mouse_move(calendar_, cell, buttons);
}

void CalendarEvents::double_click(WidgetId id) {
  if (const int cell = day_cell_of(id); cell >= 0) day_double_click(calendar_, cell);
}

void CalendarEvents::focus_entered() {
  calendar_.enter_focus();
}

void CalendarEvents::focus_left() {
  calendar_.exit_focus();
}

void CalendarEvents::grid_focus_entered() {
  grid_keys_.focus_entered();
}

void CalendarEvents::grid_focus_left() {
  grid_keys_.focus_left();
}

void CalendarEvents::grid_key(GridKey key, int modifiers) {
  grid_keys_.key(key, modifiers);
}

}  // namespace dnovar
