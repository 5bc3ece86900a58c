#include "platform/date.h"

#include <cmath>

#include "platform/error.h"

namespace dnovar {

namespace {
// Far enough outside the valid range that nothing legal is cut off, near enough that
// days_from_civil stays exact.
constexpr long long kYearGuard = 1'000'000;

long long floor_div(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

bool is_valid_date(DateSerial value) noexcept {
  // Open interval: -657434.5 is 100-01-01 12:00, 2958465.5 is 9999-12-31 12:00.
  return std::isfinite(value) && value > kFirstDate - 1.0 && value < kLastDate + 1.0;
}

void check_date(DateSerial value) {
  if (!is_valid_date(value)) raise_invalid_argument();
}

DateSerial make_date(long long year, long long month, long long day) {
  if (year >= 0 && year <= 29)
    year += 2000;
  else if (year >= 30 && year <= 99)
    year += 1900;
  if (year < -kYearGuard || year > kYearGuard || month < -kYearGuard * 12 ||
      month > kYearGuard * 12 || day < -kYearGuard * 366 || day > kYearGuard * 366)
    raise_invalid_argument();
  const long long months = year * 12 + (month - 1);
  const long long normal_year = floor_div(months, 12);
  const int normal_month = static_cast<int>(months - normal_year * 12) + 1;
  const long long serial = days_from_civil(normal_year, normal_month, 1) - kSerialEpoch + (day - 1);
  if (serial < kFirstDate || serial > kLastDate) raise_invalid_argument();
  return static_cast<DateSerial>(serial);
}

DateParts date_parts(DateSerial value) {
  check_date(value);
  long long days = static_cast<long long>(std::trunc(value));
  long long seconds = std::llround(std::fabs(value - std::trunc(value)) * 86400.0);
  if (seconds >= 86400) {
    // 23:59:59.6 rounds into the next day, forward, like every fraction; the last valid day has no
    // next day, so it stays at its last second.
    if (days < static_cast<long long>(kLastDate)) {
      ++days;
      seconds -= 86400;
    } else {
      seconds = 86399;
    }
  }
  DateParts parts{};
  parts.date = civil_from_days(days + kSerialEpoch);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  // Day 0 (1899-12-30) was a Saturday.
  parts.weekday = static_cast<int>(((days % 7) + 7 + 5) % 7) + 1;
  return parts;
}

CivilDate civil_date(DateSerial value) {
  return date_parts(value).date;
}

int weekday(DateSerial value) {
  return date_parts(value).weekday;
}

DateSerial date_only(DateSerial value) {
  check_date(value);
  return std::trunc(value) + 0.0;  // + 0.0 turns -0.0 into 0.0
}

DateSerial add_days(DateSerial value, double days) {
  const double sum = value + days;
  if (!is_valid_date(sum)) raise_overflow();
  return sum;
}

}  // namespace dnovar
