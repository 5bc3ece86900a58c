#include "core/calendar.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/accessible_text.h"
#include "core/calendar_rules_dates.h"
#include "core/holiday_names.h"
#include "platform/number_text.h"

namespace dnovar {

namespace {

constexpr Int16 kFixedHolidays[11] = {101, 501, 508, 705, 706, 928, 1028, 1117, 1224, 1225, 1226};
constexpr Int16 kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

Int16 to_member(int part) {
  return checked_i16(part);
}

constexpr bool is_leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// "1".."31" without formatting each time.
std::string_view day_number_text(int day) {
  static constexpr std::string_view kNumbers[] = {"0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",
                                                  "8",  "9",  "10", "11", "12", "13", "14", "15",
                                                  "16", "17", "18", "19", "20", "21", "22", "23",
                                                  "24", "25", "26", "27", "28", "29", "30", "31"};
  return kNumbers[day];
}

// round_to_i16(code / 100.0) in integers for the codes a table holds (non-negative): the
// quotient, one up past a remainder of 50, and at exactly 50 to the even neighbour.
Int16 month_of_code(Int16 code) {
  if (code < 0) return round_to_i16(code / 100.0);
  const int quotient = code / 100;
  const int remainder = code % 100;
  const bool up = remainder > 50 || (remainder == 50 && quotient % 2 == 1);
  return static_cast<Int16>(up ? quotient + 1 : quotient);
}

// Whether Rok, Mesic and Den already are the parts of a date (a year of four digits, a month, a
// day of it): make_date then changes none of them, and date_parts gives them back.
bool are_date_parts(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const int days = month == 2 && is_leap_year(year) ? 29 : kDaysInMonth[month - 1];
  return day <= days;
}

}  // namespace

Calendar::Calendar(ControlSite& site)
    : site_(site), surface_(site.toolkit().create_surface(calendar_widget_table(), site)) {
  widgets_.reserve(surface_->widget_count());
  for (std::size_t i = 0; i < surface_->widget_count(); ++i)
    widgets_.push_back(&surface_->widget(WidgetId{static_cast<int>(i)}));
  describe_fixed_widgets(*this);
}

Calendar::~Calendar() = default;

Widget& Calendar::widget(WidgetId id) {
  if (id.value < 0 || static_cast<std::size_t>(id.value) >= widgets_.size())
    raise_no_such_element(id.value);
  return *widgets_[static_cast<std::size_t>(id.value)];
}

Widget& Calendar::day_cell(long long index) {
  if (index < 0 || index >= kDayCellCount) raise_no_such_element(index);
  return *widgets_[static_cast<std::size_t>(widget_ids::first_day_cell + index)];
}

void Calendar::Inicializuj() {
  for (int i = 0; i < 11; ++i)
    state_.TabSvatku[static_cast<std::size_t>(i + 1)] = kFixedHolidays[i];
  for (int i = 0; i < 12; ++i) state_.DnuVMesici[static_cast<std::size_t>(i + 1)] = kDaysInMonth[i];
  for (std::size_t i = 0; i < 12; ++i) state_.NazvyMesicu[i + 1] = kMonthNames[i];
  // A stored black highlight never survives loading.
  if (state_.VyberColor.to_i4() == 0) state_.VyberColor = Variant::i4(static_cast<Int32>(kYellow));
  Widget& months = widget(widget_ids::cmbMonth);
  months.clear_items();
  for (int m = 1; m <= 12; ++m) months.add_item(state_.NazvyMesicu[static_cast<std::size_t>(m)]);
  state_.DenStisk = -1;
  if (state_.AktDatum == 0) {
    // The zero date starts on today, without its time of day.
    const CivilDate today = civil_date(site_.clock().today());
    state_.AktDatum = make_date(today.year, today.month, today.day);
  }
  set_date_members(state_, date_parts(state_.AktDatum));
  Aktualizuj(0);
}

void Calendar::Aktualizuj(Int16 k) {
  CalendarState& s = state_;
  s.Aktualizace = kTrue;
  if (k == 0 && are_date_parts(s.Rok, s.Mesic, s.Den)) {
    // The usual case, counted directly: what make_date and date_parts would give.
    s.AktDatum = static_cast<DateSerial>(days_from_civil(s.Rok, s.Mesic, s.Den) - kSerialEpoch);
    s.Dtyd = static_cast<Int16>(weekday_of_day(s.AktDatum));
  } else {
    if (k == 0) s.AktDatum = make_date(s.Rok, s.Mesic, s.Den);
    set_date_members(s, date_parts(s.AktDatum));
  }

  // Leap year: 29 February stays in February, so February has 29 days (Rok is the year of a
  // valid date here, so the Gregorian rule says it without building the two dates).
  s.Prestup = to_bool16(is_leap_year(s.Rok));
  // What the grid and its labels show, for the texts a screen reader reads (describe_month).
  MonthLook look;
  look.leap_caption = s.Prestup ? kLeapYearCaption : std::string_view();
  fixed_widget(widget_ids::lblPrestup).set_caption(look.leap_caption);

  fixed_widget(widget_ids::txtYear).set_text(IntegerText(s.Rok).view());
  fixed_widget(widget_ids::txtDen).set_text(day_number_text(s.Den));  // Den is a day of Mesic
  // Mesic is 1..12 here, the parts of a valid date.
  fixed_widget(widget_ids::cmbMonth).set_text(s.NazvyMesicu[static_cast<std::size_t>(s.Mesic)]);
  fixed_widget(widget_ids::txtDplus).set_text(IntegerText(s.Dplus).view());

  // Each set may run a spinner's handler nested here; Aktualizace keeps it from refreshing.
  fixed_widget(widget_ids::UpDown1).set_value(s.Mesic);
  fixed_widget(widget_ids::UpDown2).set_value(s.Rok);
  fixed_widget(widget_ids::UpDown3).set_value(s.Den);

  // The weekday of the 1st, counted back from the current day's (Monday = 1).
  s.Dtyd1 = to_member((s.Dtyd - s.Den % 7 + 7) % 7 + 1);
  look.week = week_number(site_.calendar_rules(), s.AktDatum, s.Rok);
  const IntegerText week(look.week);
  fixed_widget(widget_ids::lblTyden).set_caption(week.view());
  look.week_caption = week.view();

  // Clearing the grid and numbering the days are one pass: each cell gets its final caption at
  // once. Nothing between the two can fail, so no caller can tell the difference.
  Int16 day_count = s.DnuVMesici[static_cast<std::size_t>(s.Mesic)];
  if (s.Prestup && s.Mesic == 2) day_count = add16(day_count, 1);
  const DrawnMonth drawn{cell_for_day(1, s.Dtyd1), day_count};
  // The cells before the 1st and after the last day stay blank: three runs, no test per cell.
  const std::span<Widget* const> cells = day_cells();
  const int end = std::min(drawn.first_cell + std::max(drawn.day_count, 0), kDayCellCount);
  const auto blank = [&](int i) {
    cells[static_cast<std::size_t>(i)]->set_look(std::string_view(), kButtonFace, false);
    look.cells[static_cast<std::size_t>(i)] = {kNoDay, kButtonFace, false};
  };
  for (int i = 0; i < drawn.first_cell; ++i) blank(i);
  for (int i = drawn.first_cell, day = 1; i < end; ++i, ++day) {
    cells[static_cast<std::size_t>(i)]->set_look(day_number_text(day), kButtonFace, false);
    look.cells[static_cast<std::size_t>(i)] = {day, kButtonFace, false};
  }
  for (int i = end; i < kDayCellCount; ++i) blank(i);
  // The cells show it from here on, whatever fails further on.
  drawn_month_ = drawn;

  if (s.Svatky) mark_holidays(look);

  // The interval: a 16-bit product, so both bounds must be non-zero and of one sign.
  if (mul16(s.Dlow, s.Dhigh) >= 1) {
    const Int16 first = checked_cell_for_day(s.Dlow, s.Dtyd1);
    const Int16 last = checked_cell_for_day(s.Dhigh, s.Dtyd1);
    // A 16-bit loop counter: stepping past 32767 overflows, as the platform's loop does. The
    // colour is converted when the first cell needs it (a conversion that fails fails there).
    std::optional<Colour> colour;
    // (Below `last` the step cannot overflow; at `last` it is the checked one.)
    for (Int16 i = first; i <= last; i = i < last ? static_cast<Int16>(i + 1) : add16(i, 1)) {
      if (i >= kDayCellCount) continue;
      if (i < 0) raise_no_such_element(i);  // as day_cell(i) would
      if (!colour) colour = highlight_colour(s);
      cells[static_cast<std::size_t>(i)]->set_back_colour(*colour);
      look.cells[static_cast<std::size_t>(i)].back = *colour;
    }
  }

  // Den is the day of a valid date here, so its cell is in the grid.
  const int today = cell_for_day(drawn, s.Den);
  day_cell(today).set_back_colour(kCyan);
  look.cells[static_cast<std::size_t>(today)].back = kCyan;

  // Only this refresh enables widgets, so they keep what it last set until the surface changes.
  const bool enabled = surface_->enabled();
  if (widgets_enabled_ != static_cast<int>(enabled)) {
    for (Widget* w : widgets_) w->set_enabled(enabled);
    fixed_widget(widget_ids::txtDen).set_enabled(false);
    widgets_enabled_ = static_cast<int>(enabled);
  }
  describe_month(*this, look);
  s.Aktualizace = kFalse;
}

void Calendar::mark_holidays(MonthLook& look) {
  CalendarState& s = state_;
  const bool named = site_.calendar_rules() == CalendarRules::Current;
  auto mark = [&](Int16 code, int holiday) {
    // The month part rounds (halves to even); for every code in use it equals the quotient.
    if (month_of_code(code) == s.Mesic) {
      const Int16 cell = checked_cell_for_day(static_cast<Int16>(code % 100), s.Dtyd1);
      day_cell(cell).set_font_bold(true);
      DayCellLook& looks = look.cells[static_cast<std::size_t>(cell)];
      looks.bold = true;
      if (named) looks.holiday = static_cast<std::int8_t>(holiday);
    }
  };
  const auto code_of = [](DateSerial date) {
    const CivilDate civil = civil_date(date);
    return add16(mul16(to_member(civil.month), 100), to_member(civil.day));
  };
  // Easter falls in March or April; the current rules add Good Friday, two days before it.
  std::optional<Int16> easter_code, good_friday_code;
  if (s.Mesic > 2 && s.Mesic < 5) {
    easter_code = code_of(Velikonoce(s.Rok));
    if (const std::optional<DateSerial> friday = good_friday(site_.calendar_rules(), s.Rok))
      good_friday_code = code_of(*friday);
  }
  // A code's month rounds, so only codes within 50 of Mesic * 100 can be in it: the others are
  // passed by without the rounding.
  const int nearest = s.Mesic * 100 - 50;
  for (std::size_t i = 1; i <= 11; ++i) {
    const Int16 code = s.TabSvatku[i];
    if (static_cast<unsigned>(code - nearest) > 100U) continue;
    mark(code, static_cast<int>(i));
  }
  if (easter_code) mark(*easter_code, kEasterMonday);
  if (good_friday_code) mark(*good_friday_code, kGoodFriday);
}

DateSerial Calendar::Velikonoce(Int16 rok) const {
  return easter_monday(site_.calendar_rules(), rok);
}

void Calendar::put_Datum(DateSerial value) {
  state_.AktDatum = value;
  site_.property_changed("Datum");
}

std::string Calendar::Caption() const {
  return surface_->widget(widget_ids::Frame1).caption();
}

void Calendar::put_Caption(std::string_view caption) {
  const std::string copy(caption);
  surface_->widget(widget_ids::Frame1).set_caption(copy);
  describe_frame(*this);
  site_.property_changed("Caption");
}

Int32 Calendar::VyberColor() const {
  return state_.VyberColor.to_i4();
}

void Calendar::put_VyberColor(Int32 colour) {
  // Black and every system-colour reference (top bit set, so negative) are ignored, not errors.
  if (colour <= 0) return;
  state_.VyberColor = Variant::i4(colour);
  site_.property_changed("VyberColor");
}

Bool16 Calendar::Enabled() const {
  return to_bool16(surface_->enabled());
}

void Calendar::put_Enabled(bool enabled) {
  surface_->set_enabled(enabled);
  site_.property_changed("Enabled");
}

void Calendar::enter_focus() {
  surface_->widget(widget_ids::Frame1).set_font_bold(true);
}

void Calendar::exit_focus() {
  surface_->widget(widget_ids::Frame1).set_font_bold(false);
}

}  // namespace dnovar
