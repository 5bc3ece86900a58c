// The control's surface: every widget with its name, kind, array index, position and size in
// twips, caption or text as created, font, colours, tool tip, tab index and spinner range.
//
// The table's order is the order of the control's widget collection (the refresh enables the
// widgets in this order). Day cell i stands in week column i / 7 and weekday row i % 7.
#pragma once

#include "platform/int16.h"
#include "platform/widget_table.h"

namespace dnovar {

inline constexpr int kDayCellCount = 37;
inline constexpr int kWeekdayCount = 7;

// Client area of the control, twips (300 x 251 pixels at 96 DPI).
inline constexpr int kSurfaceWidth = 4500;
inline constexpr int kSurfaceHeight = 3765;

namespace widget_ids {
inline constexpr WidgetId Frame1{0};
inline constexpr WidgetId txtDen{1};
inline constexpr WidgetId UpDown3{2};
inline constexpr WidgetId cmbMonth{3};
inline constexpr WidgetId UpDown1{4};
inline constexpr WidgetId txtYear{5};
inline constexpr WidgetId UpDown2{6};
inline constexpr WidgetId lbltyd{7};
inline constexpr WidgetId lblTyden{8};
inline constexpr WidgetId cmdDnes{9};
inline constexpr WidgetId cmdZavri{10};
inline constexpr WidgetId cmdDplus{11};
inline constexpr WidgetId txtDplus{12};
inline constexpr WidgetId lblPrestup{13};
inline constexpr int first_day_cell = 14;                                   // lblDny(0)
inline constexpr int first_weekday_label = first_day_cell + kDayCellCount;  // lblDOW(0)
inline constexpr int count = first_weekday_label + kWeekdayCount;
}  // namespace widget_ids

constexpr WidgetId day_cell_id(int index) {
  return WidgetId{widget_ids::first_day_cell + index};
}
constexpr WidgetId weekday_label_id(int index) {
  return WidgetId{widget_ids::first_weekday_label + index};
}

// The cell of day `day` in a month whose 1st has weekday `first_weekday` (Monday = 1), and back.
constexpr int cell_for_day(int day, int first_weekday) {
  return first_weekday + day - 2;
}
constexpr int day_for_cell(int cell, int first_weekday) {
  return cell - first_weekday + 2;
}
// cell_for_day in the control's 16-bit arithmetic: the add comes before the subtract, so a sum
// past 32767 overflows (6) even where the cell itself would fit, as the control has always done.
inline Int16 checked_cell_for_day(Int16 day, Int16 first_weekday) {
  return sub16(add16(day, first_weekday), 2);
}

const WidgetTable& calendar_widget_table();

}  // namespace dnovar
