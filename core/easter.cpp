#include "core/easter.h"

#include <cmath>

namespace dnovar {

namespace {
constexpr double kReferenceFullMoon = 35689.75;  // 1997-09-16 18:00
constexpr double kLunation = 29.53;              // mean length of a lunation, days
}  // namespace

DateSerial estimated_easter_monday(Int16 year) {
  const double march21 = make_date(year, 3, 21);
  const double lunations = std::fabs(march21 - kReferenceFullMoon) / kLunation;
  double days_to_full_moon = (lunations - std::floor(lunations)) * kLunation;
  if (march21 > kReferenceFullMoon) days_to_full_moon = kLunation - days_to_full_moon;
  const double full_moon = march21 + std::floor(days_to_full_moon + 0.5);
  return add_days(full_moon, 8 - weekday(full_moon));
}

}  // namespace dnovar
