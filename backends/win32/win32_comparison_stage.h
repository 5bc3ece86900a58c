// A stage for setting the control beside the system's own month calendar (SysMonthCal32), as the
// Windows benchmark does: a visible top-level window with a Win32 toolkit that places control
// surfaces in it, and the system calendar in the same window. Kept behind this header so that a
// program measuring both needs no Windows header of its own.
#pragma once

#include <memory>

#include "platform/toolkit.h"

namespace dnovar {

class ComparisonStage {
 public:
  // Registers the common controls' date classes and shows the window, without activating it.
  ComparisonStage();
  ~ComparisonStage();
  ComparisonStage(const ComparisonStage&) = delete;
  ComparisonStage& operator=(const ComparisonStage&) = delete;

  // Control surfaces made with it are children of the stage's window.
  Toolkit& toolkit();
  // What is invalid painted now, children included (UpdateWindow).
  void paint() const;
  // Pending messages handled and the window painted: nothing left over for the next measurement.
  void settle() const;

 private:
  friend class SystemMonthCalendar;
  struct Window;
  std::unique_ptr<Window> window_;
};

// One SysMonthCal32 in the stage's window on the 20th of a month of 2024, as large as one month
// needs.
class SystemMonthCalendar {
 public:
  explicit SystemMonthCalendar(ComparisonStage& stage);
  ~SystemMonthCalendar();
  SystemMonthCalendar(const SystemMonthCalendar&) = delete;
  SystemMonthCalendar& operator=(const SystemMonthCalendar&) = delete;

  void show_month(int month);  // MCM_SETCURSEL
  // The first month the calendar shows in full.
  int shown_month() const;

 private:
  struct Window;
  std::unique_ptr<Window> window_;
};

}  // namespace dnovar
