// The system clock on Windows: localtime_s (its arguments in the C runtime's order, not C11's).
#include <ctime>

#include "platform/clock.h"

namespace dnovar {

DateSerial SystemClock::today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_s(&local, &now);
  return make_date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace dnovar
