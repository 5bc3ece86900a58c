// The `show` and `state` lines: the surface's widgets and the calendar's members as JSON.
#pragma once

#include <string>

#include "core/calendar_state.h"
#include "core/surface_layout.h"
#include "platform/toolkit.h"

namespace dnovar::script {

std::string surface_json(Surface& surface);
std::string state_json(const CalendarState& state);

// The month as the grid shows it, a line per weekday row under a title line:
//   "Květen 2024  týden 18  Přestupný rok"
//   "Po      6  13 @20  27"
// Each cell is four characters: a mark (' ' plain, '#' highlighted in the highlight colour, '@' the
// current day's cyan, '?' any other colour), the caption right-aligned in two, and '*' when bold.
std::string month_grid_text(Surface& surface, const CalendarState& state);

}  // namespace dnovar::script
