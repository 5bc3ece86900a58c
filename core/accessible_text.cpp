#include "core/accessible_text.h"

#include <array>
#include <string>
#include <string_view>

namespace dnovar {

namespace {

constexpr std::array<std::string_view, 12> kMonthsGenitive = {
    "ledna",    "února", "března", "dubna", "května",    "června",
    "července", "srpna", "září",   "října", "listopadu", "prosince"};
constexpr std::array<std::string_view, kWeekdayCount> kWeekdays = {
    "pondělí", "úterý", "středa", "čtvrtek", "pátek", "sobota", "neděle"};

constexpr std::string_view kDayCellHelp =
    "Dvojklik nastaví den jako aktuální datum; tažením levým tlačítkem myši se dny označí, "
    "pravým se označení zruší.";

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A button's caption as it is read: without the '&' that marks its access key.
std::string without_access_mark(std::string_view caption) {
  std::string read;
  for (char c : caption)
    if (c != '&') read.push_back(c);
  return read;
}

// The full date of the cell holding day `day_text` ("1".."31") in the shown month, with the
// marks the cell carries.
std::string day_cell_name(Calendar& calendar, int cell, const std::string& day_text) {
  const CalendarState& s = calendar.state();
  Widget& widget = calendar.day_cell(cell);
  std::string name(kWeekdays[static_cast<std::size_t>(cell % kWeekdayCount)]);
  name += ' ';
  name += day_text;
  name += '.';
  // Between a handler's change and the refresh the month may be out of range; the name then
  // goes without it rather than failing.
  if (s.Mesic >= 1 && s.Mesic <= 12) {
    name += ' ';
    name += kMonthsGenitive[static_cast<std::size_t>(s.Mesic - 1)];
    name += ' ';
    name += std::to_string(s.Rok);
  }
  const Colour back = widget.back_colour();
  if (back == kCyan) name += ", dnes";
  if (widget.font_bold()) name += ", svátek";
  if (back != kCyan && back == static_cast<Colour>(calendar.VyberColor())) name += ", vybráno";
  return name;
}

}  // namespace

void describe_fixed_widgets(Calendar& calendar) {
  using namespace widget_ids;
  const struct {
    WidgetId id;
    std::string_view name;
    std::string_view description;
  } fixed[] = {
      {txtDen, "Den", "Den aktuálního data."},
      {UpDown3, "Den", "Posune datum o den vpřed nebo zpět."},
      // Where a platform reads a list box by the entry it shows, the description still says what
      // the list is.
      {cmbMonth, "Měsíc", "Měsíc aktuálního data, výběr ze seznamu."},
      {UpDown1, "Měsíc", "Posune datum o měsíc vpřed nebo zpět."},
      {txtYear, "Rok", "Rok aktuálního data; Enter jej nastaví."},
      {UpDown2, "Rok", "Posune datum o rok vpřed nebo zpět."},
      {lbltyd, "Týden", "Nadpis čísla týdne."},
      {cmdDnes, "", "Nastaví dnešní datum."},
      {cmdZavri, "", "Zavře kalendář."},
      {cmdDplus, "", "Posune datum o zadaný počet dní."},
      {txtDplus, "Posun o dní", "Počet dní, o který tlačítko D + - posune datum."},
  };
  for (const auto& f : fixed) {
    Widget& widget = calendar.widget(f.id);
    // Buttons are named by their captions.
    const std::string name =
        f.name.empty() ? without_access_mark(widget.caption()) : std::string(f.name);
    widget.set_accessible_text(name, f.description);
  }
  for (int k = 0; k < kWeekdayCount; ++k)
    calendar.widget(weekday_label_id(k))
        .set_accessible_text(kWeekdays[static_cast<std::size_t>(k)], "Řádek dne v týdnu.");
  describe_frame(calendar);
}

void describe_frame(Calendar& calendar) {
  Widget& frame = calendar.widget(widget_ids::Frame1);
  frame.set_accessible_text(trimmed(frame.caption()), "Měsíční kalendář.");
}

void describe_month(Calendar& calendar) {
  for (int i = 0; i < kDayCellCount; ++i) {
    Widget& cell = calendar.day_cell(i);
    const std::string day_text = cell.caption();
    if (day_text.empty())
      cell.set_accessible_text("prázdné pole", "Den mimo zobrazený měsíc.");
    else
      cell.set_accessible_text(day_cell_name(calendar, i, day_text), kDayCellHelp);
  }
  Widget& week = calendar.widget(widget_ids::lblTyden);
  week.set_accessible_text("Týden " + week.caption(), "Číslo týdne aktuálního data.");
  Widget& leap = calendar.widget(widget_ids::lblPrestup);
  const std::string leap_caption = leap.caption();
  leap.set_accessible_text(leap_caption.empty() ? "Nepřestupný rok" : leap_caption,
                           "Zda je rok aktuálního data přestupný.");
}

}  // namespace dnovar
