// What the grid shows, as the accessible texts that follow it need it: per day cell the day
// number its caption shows, its back colour and boldness.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/surface_layout.h"

namespace dnovar {

// What the leap year line shows in a leap year (and nothing otherwise).
inline constexpr std::string_view kLeapYearCaption = "Přestupný rok";

inline constexpr int kNoDay = -1;         // an empty caption
inline constexpr int kOtherCaption = -2;  // a caption that is no day number as the refresh writes

// Filled in whole by whoever makes it (back and bold matter only with a day).
struct DayCellLook {
  int day;  // the day number the caption shows, or kNoDay, kOtherCaption
  Colour back;
  bool bold;
  // The holiday the cell is named by in its description (core/holiday_names.h), or 0. Only the
  // current rules name them: the control's own descriptions stay as they always were. (A byte:
  // every refresh copies the 37 looks.)
  std::int8_t holiday = 0;
};

inline constexpr long long kNoWeek = -1;  // the week number is read from its caption

struct MonthLook {
  std::array<DayCellLook, kDayCellCount> cells;
  std::string_view week_caption;
  std::string_view leap_caption;
  // The week number the refresh wrote as week_caption, or kNoWeek.
  long long week = kNoWeek;
  bool has_other_caption = false;  // some cell is kOtherCaption
};

// The month the day cells' names are composed from when they are read, kept by the calendar: a
// refresh updates this one record instead of renaming 37 cells. The grid's own name reads it too.
struct DescribedMonth {
  std::array<DayCellLook, kDayCellCount> cells{};
  int month = 0;  // 1..12, or 0 for a month out of range
  int year = 0;
  Colour highlight = 0;
  int today = 0;  // the day of this month that is today's date, or 0
};

}  // namespace dnovar
