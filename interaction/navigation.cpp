#include "interaction/navigation.h"

#include <optional>

#include "platform/number_text.h"

namespace dnovar {

namespace {

bool is_digit_key(int code) {
  return code >= '0' && code <= '9';
}

void beep_and_discard(Calendar& calendar, int& key_code) {
  calendar.site().toolkit().beep();
  key_code = 0;
}

std::optional<DateSerial> buildable_date(Int16 year, Int16 month, Int16 day) {
  try {
    return make_date(year, month, day);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace

void month_list_click(Calendar& calendar) {
  CalendarState& s = calendar.state();
  // The list holds January..December at positions 0..11.
  s.Mesic =
      checked_i16(static_cast<long long>(calendar.widget(widget_ids::cmbMonth).list_index()) + 1);
  calendar.Aktualizuj(0);
}

void today_click(Calendar& calendar) {
  CalendarState& s = calendar.state();
  set_date_members(s, date_parts(calendar.site().clock().today()));
  calendar.Aktualizuj(0);
}

void shift_click(Calendar& calendar) {
  CalendarState& s = calendar.state();
  const double days = leading_number(calendar.widget(widget_ids::txtDplus).text());
  // Computed in full before any member changes, so an overflow keeps them all.
  const DateSerial moved = add_days(s.AktDatum, days);
  const DateParts parts = date_parts(moved);
  s.AktDatum = moved;
  set_date_members(s, parts);
  calendar.Aktualizuj(0);
}

void close_click(Calendar& calendar) {
  calendar.site().raise_event("Zavri", 1);
}

void shift_box_key(Calendar& calendar, int& key_code) {
  if (is_digit_key(key_code) || key_code == kKeyBackspace || key_code == '-') return;
  if (key_code == kKeyEnter) {
    calendar.state().Dplus = i16_from_text(calendar.widget(widget_ids::txtDplus).text());
    return;
  }
  beep_and_discard(calendar, key_code);
}

void year_box_key(Calendar& calendar, int& key_code) {
  if (is_digit_key(key_code) || key_code == kKeyBackspace) return;
  if (key_code != kKeyEnter) {
    beep_and_discard(calendar, key_code);
    return;
  }
  CalendarState& s = calendar.state();
  const Int16 year = i16_from_text(calendar.widget(widget_ids::txtYear).text());
  // A year the date arithmetic cannot build (the box admits any digits) keeps the previous year:
  // the refresh puts it back into the box, and the typed year is reported as invalid.
  if (!buildable_date(year, s.Mesic, s.Den)) {
    calendar.Aktualizuj(0);
    raise_invalid_argument();
  }
  s.Rok = year;
  // May run the year spinner's handler (and its refresh) nested, as a dispatch of its own.
  calendar.widget(widget_ids::UpDown2).set_value(s.Rok);
  calendar.Aktualizuj(0);
}

void spinner_change(Calendar& calendar, Spinner spinner) {
  CalendarState& s = calendar.state();
  WidgetId id{};
  Int16* member = nullptr;
  Int16* started = nullptr;
  switch (spinner) {
    case Spinner::Month:
      id = widget_ids::UpDown1, member = &s.Mesic, started = &s.UpDown1Start;
      break;
    case Spinner::Year:
      id = widget_ids::UpDown2, member = &s.Rok, started = &s.UpDown2Start;
      break;
    case Spinner::Day:
      id = widget_ids::UpDown3, member = &s.Den, started = &s.UpDown3Start;
      break;
  }
  *member = checked_i16(calendar.widget(id).value());
  // The first notification in the life of the instance only updates the member.
  if (*started == 0) {
    *started = 1;
    return;
  }
  if (s.Aktualizace == kFalse) calendar.Aktualizuj(0);
}

}  // namespace dnovar
