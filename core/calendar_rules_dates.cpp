#include "core/calendar_rules_dates.h"

#include "core/easter.h"
#include "core/week_number.h"

namespace dnovar {

namespace {

constexpr int kGoodFridayFrom = 2016;  // a public holiday since then

// Easter Sunday of a Gregorian year as (month, day): the anonymous Gregorian computus (Meeus,
// after Jones and Butcher), exact for every year of the calendar.
CivilDate gregorian_easter_sunday(int year) {
  const int a = year % 19, b = year / 100, c = year % 100;
  const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month = (h + l - 7 * m + 114) / 31;
  const int day = (h + l - 7 * m + 114) % 31 + 1;
  return {year, month, day};
}

// The Gregorian Easter Sunday of the year as the control reads years, as a serial.
DateSerial easter_sunday(Int16 year) {
  const int full_year = civil_date(make_date(year, 3, 21)).year;
  const CivilDate sunday = gregorian_easter_sunday(full_year);
  return make_date(sunday.year, sunday.month, sunday.day);
}

}  // namespace

DateSerial easter_monday(CalendarRules rules, Int16 year) {
  if (rules == CalendarRules::Control) return estimated_easter_monday(year);
  return easter_sunday(year) + 1;
}

std::optional<DateSerial> good_friday(CalendarRules rules, Int16 year) {
  if (rules == CalendarRules::Control) return std::nullopt;
  const DateSerial friday = easter_sunday(year) - 2;
  if (civil_date(friday).year < kGoodFridayFrom) return std::nullopt;
  return friday;
}

long long week_number(CalendarRules rules, DateSerial date, Int16 year) {
  if (rules == CalendarRules::Control) return week_number(date, year);
  // The ISO week is the week of its Thursday, counted in that Thursday's year (which may lie
  // outside the dates a serial can hold, at the ends of the range: counted in plain days).
  const long long thursday =
      static_cast<long long>(date_only(date)) + kSerialEpoch - weekday(date) + 4;
  const long long first_day = days_from_civil(civil_from_days(thursday).year, 1, 1);
  return (thursday - first_day) / 7 + 1;
}

}  // namespace dnovar
