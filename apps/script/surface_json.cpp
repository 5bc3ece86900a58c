#include "apps/script/surface_json.h"

#include <nlohmann/json.hpp>

namespace dnovar::script {

namespace {

using Json = nlohmann::ordered_json;

Json widget_json(const WidgetRow& row, Widget& widget) {
  Json out;
  switch (row.kind) {
    case WidgetKind::Frame:
    case WidgetKind::Label:
    case WidgetKind::CommandButton:
      out["Caption"] = widget.caption();
      break;
    case WidgetKind::TextBox:
    case WidgetKind::ComboBox:
      out["Text"] = widget.text();
      break;
    case WidgetKind::SpinButton:
      out["Value"] = widget.value();
      break;
  }
  if (row.kind == WidgetKind::ComboBox) {
    out["ListIndex"] = widget.list_index();
    out["Items"] = widget.items();
  }
  if (row.kind != WidgetKind::SpinButton) {
    out["BackColor"] = widget.back_colour();
    out["ForeColor"] = widget.fore_colour();
    out["FontBold"] = widget.font_bold();
  }
  out["Enabled"] = widget.enabled();
  return out;
}

}  // namespace

std::string surface_json(Surface& surface) {
  Json out = Json::object();
  const WidgetTable& table = surface.table();
  for (std::size_t i = 0; i < table.widgets.size(); ++i) {
    const WidgetRow& w = table.widgets[i];
    Json value = widget_json(w, surface.widget(WidgetId{static_cast<int>(i)}));
    if (w.index == kNoIndex) {
      out[w.name] = std::move(value);
    } else {
      if (!out.contains(w.name)) out[w.name] = Json::array();
      out[w.name].push_back(std::move(value));
    }
  }
  return out.dump();
}

std::string state_json(const CalendarState& s) {
  Json out;
  out["Rok"] = s.Rok;
  out["Mesic"] = s.Mesic;
  out["Den"] = s.Den;
  out["AktDatum"] = s.AktDatum;
  out["Dtyd"] = s.Dtyd;
  out["Dtyd1"] = s.Dtyd1;
  out["Svatky"] = s.Svatky;
  out["Dlow"] = s.Dlow;
  out["Dhigh"] = s.Dhigh;
  out["Dplus"] = s.Dplus;
  out["Prestup"] = s.Prestup;
  out["Aktualizace"] = s.Aktualizace;
  out["DenStisk"] = s.DenStisk;
  out["DenPohyb"] = s.DenPohyb;
  out["TahLevy"] = s.TahLevy;
  out["TahPravy"] = s.TahPravy;
  out["UpDown1Start"] = s.UpDown1Start;
  out["UpDown2Start"] = s.UpDown2Start;
  out["UpDown3Start"] = s.UpDown3Start;
  return out.dump();
}

std::string month_grid_text(Surface& surface, const CalendarState& state) {
  std::string text = surface.widget(widget_ids::cmbMonth).text() + ' ' +
                     surface.widget(widget_ids::txtYear).text() + "  týden " +
                     surface.widget(widget_ids::lblTyden).caption();
  const std::string leap = surface.widget(widget_ids::lblPrestup).caption();
  if (!leap.empty()) text += "  " + leap;
  text += '\n';
  const Colour highlight = highlight_colour(state);
  for (int row = 0; row < kWeekdayCount; ++row) {
    std::string line = surface.widget(weekday_label_id(row)).caption();
    for (int cell = row; cell < kDayCellCount; cell += kWeekdayCount) {
      Widget& w = surface.widget(day_cell_id(cell));
      const Colour back = w.back_colour();
      const char mark = back == kCyan         ? '@'
                        : back == highlight   ? '#'
                        : back == kButtonFace ? ' '
                                              : '?';
      std::string caption = w.caption();
      if (caption.size() < 2) caption.insert(0, 2 - caption.size(), ' ');
      line += ' ';
      line += mark;
      line += caption;
      line += w.font_bold() ? '*' : ' ';
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    text += line + '\n';
  }
  return text;
}

}  // namespace dnovar::script
