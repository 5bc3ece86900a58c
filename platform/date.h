// The automation date: a double counting days from 1899-12-30 (day 0); the fraction is the time
// of day. Valid dates run from 100-01-01 (-657434) to 9999-12-31 (2958465).
//
// Rules, each with worked examples:
// - Building from (year, month, day) normalises both ways, month first, then day:
//     (2024, 13, 1) -> 2025-01-01    (2024, 0, 1) -> 2023-12-01    (2024, 3, 0) -> 2024-02-29
//     (2024, 4, 31) -> 2024-05-01    (2001, 2, 30) -> 2001-03-02   (2024, 1, -1) -> 2023-12-30
// - A year 0..29 reads as 2000..2029, 30..99 as 1930..1999, before the month is normalised:
//     (24, 4, 1) -> 2024-04-01    (99, 12, 31) -> 1999-12-31    (99, 13, 1) -> 2000-01-01
// - A result outside the valid range, or a NaN or infinite value, is error 5:
//     (9999, 12, 32), (100, 1, 0), parts of NaN.
// - A negative value's fraction is still the time of day forward, so the scale is not linear
//   below zero: -1.25 is 1899-12-29 06:00, -0.5 is 1899-12-30 12:00, the same moment as 0.5.
// - Weekdays count Monday = 1 .. Sunday = 7; day 0 was a Saturday (6).
#pragma once

#include <cstdint>

namespace dnovar {

using DateSerial = double;

inline constexpr DateSerial kFirstDate = -657434.0;  // 100-01-01
inline constexpr DateSerial kLastDate = 2958465.0;   // 9999-12-31

struct CivilDate {
  int year;
  int month;  // 1..12
  int day;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct DateParts {
  CivilDate date;
  int hour;
  int minute;
  int second;
  int weekday;  // Monday = 1 .. Sunday = 7
};

// Days since 1970-01-01 of a proleptic Gregorian date (Hinnant's days_from_civil), and back.
// Exact for every |year| below 10^9.
constexpr long long days_from_civil(long long year, int month, int day) noexcept {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long year_of_era = year - era * 400;  // [0, 399]
  const long long day_of_year =
      (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // [0, 365]
  const long long day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;  // [0, 146096]
  return era * 146097 + day_of_era - 719468;
}

constexpr CivilDate civil_from_days(long long days) noexcept {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long day_of_era = days - era * 146097;  // [0, 146096]
  const long long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) /
      365;  // [0, 399]
  const long long day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);  // [0, 365]
  const long long mp = (5 * day_of_year + 2) / 153;                            // [0, 11]
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);      // [1, 31]
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);               // [1, 12]
  return CivilDate{static_cast<int>(year_of_era + era * 400 + (month <= 2)), month, day};
}

// Day 0 of the automation date, counted from 1970-01-01.
inline constexpr long long kSerialEpoch = days_from_civil(1899, 12, 30);
static_assert(kSerialEpoch == -25569);
static_assert(days_from_civil(1999, 12, 31) - kSerialEpoch == 36525);
static_assert(days_from_civil(100, 1, 1) - kSerialEpoch == -657434);
static_assert(days_from_civil(9999, 12, 31) - kSerialEpoch == 2958465);

// Raises error 5 unless the value is a finite date within the valid range (time of day included).
void check_date(DateSerial value);
bool is_valid_date(DateSerial value) noexcept;

// Builds a date with the normalisation and two-digit years described above; error 5 outside.
DateSerial make_date(long long year, long long month, long long day);

// Year, month, day, time of day (rounded to the second) and weekday; error 5 for invalid values.
DateParts date_parts(DateSerial value);
CivilDate civil_date(DateSerial value);
int weekday(DateSerial value);  // Monday = 1

// What weekday() says for a whole day's serial, as make_date returns it, without taking the date
// apart. Day 0 (1899-12-30) was a Saturday.
constexpr int weekday_of_day(DateSerial whole_day) noexcept {
  const long long days = static_cast<long long>(whole_day);
  return static_cast<int>(((days % 7) + 7 + 5) % 7) + 1;
}

// The date part alone: the whole days, toward zero (a negative value's fraction is its time).
DateSerial date_only(DateSerial value);

// Date arithmetic as the platform does it: plain addition of the serials, then a range check
// that raises overflow (6) when the sum is no date.
DateSerial add_days(DateSerial value, double days);

}  // namespace dnovar
