// The `show` and `state` lines: the surface's widgets and the calendar's members as JSON.
#pragma once

#include <string>

#include "core/calendar.h"

namespace dnovar::script {

std::string surface_json(Surface& surface);
std::string state_json(const CalendarState& state);

}  // namespace dnovar::script
