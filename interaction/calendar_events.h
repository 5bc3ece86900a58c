// Routes the surface's notifications to the handlers by widget.
#pragma once

#include "core/calendar.h"
#include "interaction/grid_keys.h"
#include "platform/toolkit.h"

namespace dnovar {

class CalendarEvents final : public WidgetEvents {
 public:
  // Attaches itself to the calendar's surface for its lifetime.
  explicit CalendarEvents(Calendar& calendar);
  ~CalendarEvents() override;
  CalendarEvents(const CalendarEvents&) = delete;
  CalendarEvents& operator=(const CalendarEvents&) = delete;

  void click(WidgetId id) override;
  void value_changed(WidgetId id) override;
  void key_press(WidgetId id, int& key_code) override;
  void mouse_down(WidgetId id, int button) override;
  void mouse_move(WidgetId id, int buttons) override;
  void double_click(WidgetId id) override;
  void focus_entered() override;
  void focus_left() override;
  void grid_focus_entered() override;
  void grid_focus_left() override;
  void grid_key(GridKey key, int modifiers) override;

 private:
  Calendar& calendar_;
  GridKeys grid_keys_;
};

}  // namespace dnovar
