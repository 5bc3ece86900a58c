#include "core/surface_layout.h"

namespace dnovar {

namespace {

WidgetRow make(WidgetKind kind, const char* name, int left, int top, int width, int height,
               int tab_index, const char* caption) {
  WidgetRow row;
  row.kind = kind;
  row.name = name;
  row.parent = widget_ids::Frame1.value;
  row.rect = {left, top, width, height};
  row.tab_index = tab_index;
  row.caption = caption;
  if (kind == WidgetKind::TextBox || kind == WidgetKind::ComboBox) {
    row.back_colour = kWindowBackground;
    row.fore_colour = kWindowText;
  }
  return row;
}

WidgetRow spinner(const char* name, int left, int top, int width, int height, int tab_index,
                  Int32 min, Int32 max) {
  WidgetRow row = make(WidgetKind::SpinButton, name, left, top, width, height, tab_index, "");
  row.min = min;
  row.max = max;
  row.increment = 1;
  row.value = min;
  return row;
}

// Tab indexes of the grid run backwards: 18..52 are cells 34 down to 0, then 53 cell 36, 54
// cell 35.
int day_cell_tab_index(int cell) {
  return cell <= 34 ? 52 - cell : (cell == 36 ? 53 : 54);
}

WidgetTable build_surface() {
  WidgetTable surface;
  surface.width = kSurfaceWidth;
  surface.height = kSurfaceHeight;
  auto& w = surface.widgets;

  WidgetRow frame = make(WidgetKind::Frame, "Frame1", 120, 120, 4215, 3495, 0, " Kalendář ");
  frame.parent = kNoParent;
  w.push_back(frame);

  WidgetRow day = make(WidgetKind::TextBox, "txtDen", 480, 600, 375, 285, 1, "Text1");
  day.font.bold = true;
  day.alignment = Alignment::Right;
  day.enabled = false;
  w.push_back(day);
  w.push_back(spinner("UpDown3", 840, 480, 240, 495, 3, 1, 31));
  WidgetRow month = make(WidgetKind::ComboBox, "cmbMonth", 1440, 600, 1095, 315, 2, "cmbMonth");
  month.handles_enter = true;  // Enter chooses the month the text names
  w.push_back(month);
  w.push_back(spinner("UpDown1", 1560, 240, 735, 240, 6, 1, 12));
  WidgetRow year = make(WidgetKind::TextBox, "txtYear", 2880, 600, 615, 285, 4, "Text1");
  year.alignment = Alignment::Centre;
  year.handles_enter = true;
  w.push_back(year);
  w.push_back(spinner("UpDown2", 3480, 480, 240, 495, 5, 1000, 3000));
  w.push_back(make(WidgetKind::Label, "lbltyd", 3240, 1200, 495, 255, 56, "Týden"));
  WidgetRow week = make(WidgetKind::Label, "lblTyden", 3360, 1440, 375, 255, 55, "Týd");
  week.fore_colour = kBlue;
  w.push_back(week);
  w.push_back(make(WidgetKind::CommandButton, "cmdDnes", 3120, 1920, 735, 375, 7, "&Dnes"));
  w.push_back(make(WidgetKind::CommandButton, "cmdZavri", 3120, 2400, 735, 375, 9, "&Zavři"));
  WidgetRow shift = make(WidgetKind::CommandButton, "cmdDplus", 3120, 2880, 735, 375, 8, "D + -");
  shift.tool_tip = "Posune datum o zadaný počet dní.";
  w.push_back(shift);
  WidgetRow increment = make(WidgetKind::TextBox, "txtDplus", 2400, 2955, 570, 285, 57, "txtDplus");
  increment.alignment = Alignment::Right;
  increment.handles_enter = true;
  w.push_back(increment);
  w.push_back(make(WidgetKind::Label, "lblPrestup", 480, 3000, 1575, 255, 10, "Label1"));

  for (int i = 0; i < kDayCellCount; ++i) {
    WidgetRow cell = make(WidgetKind::Label, "lblDny", 1080 + 360 * (i / 7), 1200 + 240 * (i % 7),
                          255, 255, day_cell_tab_index(i), "D");
    cell.index = i;
    w.push_back(cell);
  }
  static const char* const weekday_names[kWeekdayCount] = {"Po", "Út", "St", "Čt",
                                                           "Pá", "So", "Ne"};
  for (int k = 0; k < kWeekdayCount; ++k) {
    WidgetRow label =
        make(WidgetKind::Label, "lblDOW", 480, 1200 + 240 * k, 255, 255, 17 - k, weekday_names[k]);
    label.index = k;
    if (k >= 5) label.fore_colour = kRed;
    w.push_back(label);
  }
  return surface;
}

}  // namespace

const WidgetTable& calendar_widget_table() {
  // The copy every surface of the control shares, with its access keys.
  static const std::shared_ptr<const WidgetTable> surface = shared_table(build_surface());
  return *surface;
}

}  // namespace dnovar
