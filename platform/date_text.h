// Dates as text: "2024-05-01", or "2024-05-01T18:00:00" when there is a time of day.
// Years are written with at least four digits (0100-01-01 is 100-01-01).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"

namespace dnovar {

std::string format_date_text(DateSerial value);  // error 5 for invalid values

// Reads the format above (a space may stand for the 'T'); nullopt when the text is no such date
// or names a day that does not exist (2023-02-29).
std::optional<DateSerial> parse_date_text(std::string_view text);

// The same, and also a time of day of hours and minutes alone ("2024-05-20T13:45"), as callers
// write ISO dates. The control's own texts (bag files, scripts) keep the seconds.
std::optional<DateSerial> parse_iso_date_text(std::string_view text);

}  // namespace dnovar
