#include "apps/script/surface_json.h"

#include <nlohmann/json.hpp>

namespace dnovar::script {

namespace {

using Json = nlohmann::ordered_json;

Json widget_json(const WidgetSpec& spec, Widget& widget) {
  Json out;
  switch (spec.kind) {
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
  if (spec.kind == WidgetKind::ComboBox) {
    out["ListIndex"] = widget.list_index();
    out["Items"] = widget.items();
  }
  if (spec.kind != WidgetKind::SpinButton) {
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
  const SurfaceSpec& spec = surface.spec();
  for (std::size_t i = 0; i < spec.widgets.size(); ++i) {
    const WidgetSpec& w = spec.widgets[i];
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

}  // namespace dnovar::script
