// The calendar's members, named as the control's own vocabulary names them (scripts and tests
// inspect them under these names). Integers are 16-bit, booleans 16-bit with true = -1.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "platform/colour.h"
#include "platform/date.h"
#include "platform/int16.h"
#include "platform/variant.h"

namespace dnovar {

struct CalendarState {
  // Public fields: the host reads and writes them directly; they take effect at the next refresh.
  Int16 Dtyd = 0;         // weekday of the current date, Monday = 1
  Int16 Dtyd1 = 0;        // weekday of the 1st of the shown month; day d sits in cell Dtyd1 + d - 2
  Bool16 Svatky = kTrue;  // mark public holidays in bold
  Int16 Dlow = 0;         // first day of the highlighted interval; 0 = none
  Int16 Dhigh = 0;        // last day of the highlighted interval; 0 = none
  Int16 Dplus = 1;        // the day increment shown in txtDplus

  Int16 Den = 0;    // day, month and year of the current date (out of range between a handler's
  Int16 Mesic = 0;  // change and the refresh that normalises them)
  Int16 Rok = 0;
  DateSerial AktDatum = 0;  // the current date; the Datum property
  Bool16 Prestup = kFalse;  // the shown year is a leap year

  std::array<std::string, 13> NazvyMesicu{};  // month names 1..12; entry 0 stays empty
  std::array<Int16, 13> DnuVMesici{};         // days per month in a common year
  std::array<Int16, 16> TabSvatku{};          // fixed holidays as month * 100 + day, entries 1..11

  Int16 DenStisk = -1;  // cell where a mouse button went down; -1 = none
  Variant VyberColor = Variant::i4(static_cast<Int32>(kYellow));  // highlight colour, as delivered
  Bool16 Aktualizace = kFalse;                                    // a refresh is running

  // Spinners: their first change notification has been consumed (never reset).
  Int16 UpDown1Start = 0;
  Int16 UpDown2Start = 0;
  Int16 UpDown3Start = 0;

  // Mouse selection.
  Int16 DenPohyb = 0;        // cell of the latest pointer move
  Bool16 TahLevy = kFalse;   // a move with the left button held has been seen, drag not completed
  Bool16 TahPravy = kFalse;  // the same for the right button
};

// The highlight colour as a colour value (raises the conversion's error for a value that is none).
inline Colour highlight_colour(const CalendarState& state) {
  return static_cast<Colour>(state.VyberColor.to_i4());
}
// Whether highlight_colour converts without error: the value is empty or an integer.
inline bool highlight_converts(const CalendarState& state) {
  const Variant::Type type = state.VyberColor.type();
  return type == Variant::Type::Empty || type == Variant::Type::I2 || type == Variant::Type::I4;
}

// Rok, Mesic, Den and Dtyd from the parts of a date (every valid date's parts fit 16 bits).
void set_date_members(CalendarState& state, const DateParts& parts);

// The month names as the control shows them, January first.
inline constexpr std::array<std::string_view, 12> kMonthNames = {
    "Leden",    "Únor",  "Březen", "Duben", "Květen",   "Červen",
    "Červenec", "Srpen", "Září",   "Říjen", "Listopad", "Prosinec"};

}  // namespace dnovar
