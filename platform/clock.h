// Today's date, from a clock that a host or a test can fix.
#pragma once

#include "platform/date.h"

namespace dnovar {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local calendar date, without time of day.
  virtual DateSerial today() const = 0;
};

class SystemClock final : public Clock {
 public:
  DateSerial today() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateSerial day) : day_(day) {}
  DateSerial today() const override { return day_; }
  void set(DateSerial day) { day_ = day; }

 private:
  DateSerial day_;
};

}  // namespace dnovar
