#include "core/accessible_text.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/holiday_names.h"
#include "platform/access_key.h"

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

// The marks a day cell's name ends with, as bits of a recipe. The cell on cyan is the control's
// current date, which is today's date only until the user moves it.
constexpr int kMarkToday = 1;
constexpr int kMarkHoliday = 2;
constexpr int kMarkSelected = 4;
constexpr int kMarkCurrent = 8;

// The recipe values of a day cell's name.
enum DayCellValue { kWeekday, kDay, kMonth, kYear, kMarks, kHoliday };

// The full date of the cell, with the marks it carries: "pondělí 20. května 2024, dnes". A month
// out of range (between a handler's change and the refresh) is left out rather than failing.
void compose_day_cell(const AccessibleRecipe& recipe, std::string& name, std::string& description) {
  const auto& v = recipe.values;
  name.assign(kWeekdays[static_cast<std::size_t>(v[kWeekday])]);
  name += ' ';
  name += std::to_string(v[kDay]);
  name += '.';
  if (v[kMonth] >= 1 && v[kMonth] <= 12) {
    name += ' ';
    name += kMonthsGenitive[static_cast<std::size_t>(v[kMonth] - 1)];
    name += ' ';
    name += std::to_string(v[kYear]);
  }
  if (v[kMarks] & kMarkToday)
    name += ", dnes";
  else if (v[kMarks] & kMarkCurrent)
    name += ", aktuální datum";
  if (v[kMarks] & kMarkHoliday) name += ", svátek";
  if (v[kMarks] & kMarkSelected) name += ", vybráno";
  description.clear();
  if (const std::string_view holiday = holiday_name(v[kHoliday]); !holiday.empty()) {
    description.assign(holiday);
    description += ". ";
  }
  description += kDayCellHelp;
}

// The grid as a whole, named by the month and year it shows: "Květen 2024".
void compose_grid(const AccessibleRecipe& recipe, std::string& name, std::string& description) {
  const auto& month = *static_cast<const DescribedMonth*>(recipe.source);
  name.clear();
  if (month.month >= 1 && month.month <= 12) {
    name.assign(kMonthNames[static_cast<std::size_t>(month.month - 1)]);
    name += ' ';
  }
  name += std::to_string(month.year);
  description.assign("Dny měsíce: sloupce jsou týdny, řádky dny v týdnu.");
}

void compose_empty_cell(const AccessibleRecipe&, std::string& name, std::string& description) {
  name.assign("prázdné pole");
  description.assign("Den mimo zobrazený měsíc.");
}

// The day a caption shows when it is a day number as the refresh writes it ("1".."31", no
// leading zero), else 0.
int shown_day(std::string_view caption) {
  if (caption.empty() || caption.size() > 2 || caption[0] < '1' || caption[0] > '9') return 0;
  if (caption.size() == 1) return caption[0] - '0';
  if (caption[1] < '0' || caption[1] > '9') return 0;
  return (caption[0] - '0') * 10 + (caption[1] - '0');
}

// The marks of a shown day cell; `highlight` is asked for only by a cell off cyan. `today` is the
// day of the shown month that is today's date, or 0.
template <typename Highlight>
int marks_of(const DayCellLook& cell, int today, Highlight&& highlight) {
  int marks = 0;
  if (cell.back == kCyan) marks |= kMarkCurrent;
  if (cell.day == today) marks |= kMarkToday;
  if (cell.bold) marks |= kMarkHoliday;
  if (cell.back != kCyan && cell.back == highlight()) marks |= kMarkSelected;
  return marks;
}

// A day cell's name read from the calendar's DescribedMonth; values[0] is the cell's index.
void compose_described_cell(const AccessibleRecipe& recipe, std::string& name,
                            std::string& description) {
  const auto& month = *static_cast<const DescribedMonth*>(recipe.source);
  const int index = recipe.values[0];
  const DayCellLook& cell = month.cells[static_cast<std::size_t>(index)];
  if (cell.day == kNoDay) {
    compose_empty_cell(recipe, name, description);
    return;
  }
  const int marks = marks_of(cell, month.today, [&] { return month.highlight; });
  compose_day_cell(
      {compose_day_cell,
       {index % kWeekdayCount, cell.day, month.month, month.year, marks, cell.holiday}},
      name, description);
}

// The cells' names as recipes that read the calendar's DescribedMonth, which a refresh then
// updates in one copy. Only where nothing can fail on the way (the highlight converts without
// error) and every caption is a day number the refresh writes: otherwise the cells are named one
// by one, and a failure leaves the cells before it named.
bool describe_cells_live(Calendar& calendar, const MonthLook& look, int today) {
  if (!highlight_converts(calendar.state()) || look.has_other_caption ||
      calendar.day_cell(0).hands_accessible_text_on())
    return false;
  DescribedMonth& described = calendar.described_month();
  described.cells = look.cells;
  described.highlight = highlight_colour(calendar.state());
  described.today = today;
  // A cell named otherwise since (by the one-by-one naming or by anyone) reads it again.
  const std::span<Widget* const> cells = calendar.day_cells();
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (cells[i]->accessible_source() != &described)
      cells[i]->set_accessible_recipe({compose_described_cell, {static_cast<int>(i)}, &described});
  return true;
}

constexpr std::string_view kWeekDescription = "Číslo týdne aktuálního data.";
constexpr std::string_view kNotLeapYear = "Nepřestupný rok";
constexpr std::string_view kLeapYearDescription = "Zda je rok aktuálního data přestupný.";

// The week number (values[0]) and whether the year is a leap year (values[0]) as a refresh
// wrote them: "Týden 21", "Přestupný rok".
void compose_week(const AccessibleRecipe& recipe, std::string& name, std::string& description) {
  name.assign("Týden ");
  name += std::to_string(recipe.values[0]);
  description.assign(kWeekDescription);
}

void compose_leap_year(const AccessibleRecipe& recipe, std::string& name,
                       std::string& description) {
  name.assign(recipe.values[0] != 0 ? std::string_view(kLeapYearCaption) : kNotLeapYear);
  description.assign(kLeapYearDescription);
}

// The day of `month` of `year` that is today's date (`now`), or 0. A whole day's serial, as a
// clock gives it, is counted from the month's 1st; anything else is read as a date.
int today_in_month(DateSerial now, int year, int month) {
  if (now == std::trunc(now) && is_valid_date(now)) {
    if (month < 1 || month > 12) return 0;
    const long long first = days_from_civil(year, month, 1) - kSerialEpoch;
    const long long next = month < 12 ? days_from_civil(year, month + 1, 1) - kSerialEpoch
                                      : days_from_civil(year + 1, 1, 1) - kSerialEpoch;
    const auto day = static_cast<long long>(now);
    return day >= first && day < next ? static_cast<int>(day - first + 1) : 0;
  }
  const CivilDate civil = civil_date(now);
  return civil.year == year && civil.month == month ? civil.day : 0;
}

void describe_cells_one_by_one(Calendar& calendar, const MonthLook& look, int month, int today) {
  const CalendarState& s = calendar.state();
  // Converted when a cell first needs it, as reading each cell's name would (a conversion that
  // fails fails there, with the cells before it described).
  std::optional<Colour> highlight;
  auto converted_highlight = [&] {
    if (!highlight) highlight = highlight_colour(calendar.state());
    return *highlight;
  };
  int weekday = 0;  // i % kWeekdayCount
  for (int i = 0; i < kDayCellCount; ++i, weekday = weekday + 1 < kWeekdayCount ? weekday + 1 : 0) {
    const DayCellLook& cell = look.cells[static_cast<std::size_t>(i)];
    Widget& widget = calendar.day_cell(i);
    if (cell.day == kNoDay) {
      widget.set_accessible_recipe({compose_empty_cell, {}});
      continue;
    }
    const int marks = marks_of(cell, today, converted_highlight);
    if (cell.day == kOtherCaption) {
      // A caption the refresh never writes: named as it stands.
      std::string name, description;
      compose_day_cell({compose_day_cell, {weekday, 0, month, s.Rok, marks, cell.holiday}}, name,
                       description);
      const std::size_t number = name.find(' ') + 1;
      name.replace(number, name.find('.', number) - number, widget.caption());
      widget.set_accessible_text(name, description);
      continue;
    }
    widget.set_accessible_recipe(
        {compose_day_cell, {weekday, cell.day, month, s.Rok, marks, cell.holiday}});
  }
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
    const std::string name = f.name.empty() ? shown_caption(widget.caption()) : std::string(f.name);
    widget.set_accessible_text(name, f.description);
  }
  for (int k = 0; k < kWeekdayCount; ++k)
    calendar.widget(weekday_label_id(k))
        .set_accessible_text(kWeekdays[static_cast<std::size_t>(k)], "Řádek dne v týdnu.");
  describe_frame(calendar);
  // Read live: every description of the month updates what it reads.
  calendar.surface().set_grid_accessible_recipe({compose_grid, {}, &calendar.described_month()});
}

void describe_frame(Calendar& calendar) {
  Widget& frame = calendar.widget(widget_ids::Frame1);
  frame.set_accessible_text(trimmed(frame.caption()), "Měsíční kalendář.");
}

void describe_month(Calendar& calendar, const MonthLook& look) {
  const CalendarState& s = calendar.state();
  const int month = s.Mesic >= 1 && s.Mesic <= 12 ? s.Mesic : 0;
  const int today = today_in_month(calendar.site().clock().today(), s.Rok, month);
  DescribedMonth& described = calendar.described_month();
  described.month = month;
  described.year = s.Rok;
  if (!describe_cells_live(calendar, look, today))
    describe_cells_one_by_one(calendar, look, month, today);
  Widget& week = calendar.widget(widget_ids::lblTyden);
  Widget& leap_year = calendar.widget(widget_ids::lblPrestup);
  if (look.week != kNoWeek && !week.hands_accessible_text_on() &&
      !leap_year.hands_accessible_text_on()) {
    // As a refresh wrote them: composed only when read.
    week.set_accessible_recipe({compose_week, {static_cast<int>(look.week)}});
    leap_year.set_accessible_recipe({compose_leap_year, {look.leap_caption.empty() ? 0 : 1}});
    return;
  }
  std::string week_name = "Týden ";
  week_name += look.week_caption;
  week.set_accessible_text(week_name, kWeekDescription);
  leap_year.set_accessible_text(look.leap_caption.empty() ? kNotLeapYear : look.leap_caption,
                                kLeapYearDescription);
}

void describe_month(Calendar& calendar) {
  MonthLook look;
  for (int i = 0; i < kDayCellCount; ++i) {
    Widget& widget = calendar.day_cell(i);
    DayCellLook& cell = look.cells[static_cast<std::size_t>(i)];
    const std::string caption = widget.caption();
    cell = {caption.empty() ? kNoDay : shown_day(caption), 0, false};
    if (cell.day == 0) {
      cell.day = kOtherCaption;
      look.has_other_caption = true;
    }
    if (cell.day == kNoDay) continue;
    cell.back = widget.back_colour();
    cell.bold = widget.font_bold();
  }
  const std::string week_caption = calendar.widget(widget_ids::lblTyden).caption();
  const std::string leap_caption = calendar.widget(widget_ids::lblPrestup).caption();
  look.week_caption = week_caption;
  look.leap_caption = leap_caption;
  describe_month(calendar, look);
}

}  // namespace dnovar
