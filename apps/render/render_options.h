// What `dnovar render` draws: the date the calendar starts on, the interval, holidays on or off,
// the highlight colour and the calendar's rules, read from the command line's texts.
#pragma once

#include <optional>
#include <string_view>

#include "platform/calendar_rules.h"
#include "platform/colour.h"
#include "platform/date.h"
#include "platform/int16.h"

namespace dnovar::app {

struct RenderSettings {
  DateSerial date = 0;  // 0: today
  Int16 dlow = 0;
  Int16 dhigh = 0;
  bool holidays = true;
  std::optional<Colour> highlight;  // the control's own yellow when absent
  CalendarRules rules = CalendarRules::Control;
};

// A highlight colour as 0x00BBGGRR: hex with 0x, or decimal. nullopt for anything else, and for
// values the control would ignore (0, system colours with the top bit, anything above 0xFFFFFF).
std::optional<Colour> parse_highlight_colour(std::string_view text);

}  // namespace dnovar::app
