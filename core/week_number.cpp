#include "core/week_number.h"

#include <cmath>

namespace dnovar {

long long week_number(DateSerial date, Int16 year) {
  const DateSerial january1 = make_date(year, 1, 1);
  const int w1 = weekday_of_day(january1);
  return static_cast<long long>(std::floor((date - january1 + w1 - 1) / 7.0 + 1.0));
}

}  // namespace dnovar
