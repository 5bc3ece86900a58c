// What a screen reader says for each widget of the control: a name and a description in Czech.
//
// Fixed texts name the navigation widgets by what they set ("Den", "Měsíc", "Rok", "Posun o dní"),
// the buttons by their captions as shown (access_key.h). A day cell is named by its full
// date and then its marks as the grid shows them:
//   "pondělí 20. května 2024, dnes"     today's date (on cyan or not)
//   "úterý 21. května 2024, aktuální datum"  the cell on cyan (the current date) on another day
//   "středa 1. května 2024, svátek"     a holiday in bold
//   "pondělí 6. května 2024, vybráno"   a day of the highlighted interval
// A cell outside the month is "prázdné pole". The week number and the leap-year line say what
// they show.
#pragma once

#include "core/calendar.h"
#include "core/month_look.h"

namespace dnovar {

// The texts that never change; once, when the widgets are created.
void describe_fixed_widgets(Calendar& calendar);

// The texts that follow what the grid shows: every day cell, the week number, the leap-year
// line. After each refresh and each completed drag; read from the widgets, or given as the
// refresh has just set them (the widgets return what was set).
void describe_month(Calendar& calendar);
void describe_month(Calendar& calendar, const MonthLook& look);

// The frame's name: its caption without the spaces around it.
void describe_frame(Calendar& calendar);

}  // namespace dnovar
