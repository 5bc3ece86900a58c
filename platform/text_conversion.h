// Text read as a number, a date or a boolean the way the platform's own conversion reads it for
// a locale (a script's CDate, CInt, CBool; an automation call's argument). Every text either
// converts whole or raises type mismatch (13); a number too large for the target raises
// overflow (6).
//
// Numbers, worked for English (United States) and Czech:
//   "12" "  12  " "+12" "12-" "(12)" -> 12 / -12        blanks, signs before or after, parentheses
//   "1,234.5" / "1 234,5"            -> 1234.5          the locale's separators (Czech: no-break
//                                                       space, and a plain space for it)
//   "$12" / "12 Kč"                  -> 12              the locale's currency symbol
//   "1e1" "2.5E-1"                   -> 10, 0.25        exponents (not after a currency symbol)
//   "&H10" "&o17"                    -> 16, 15          hexadecimal and octal bit patterns:
//                                                       "&HFFFF" is -1 as a 16-bit integer
//   "2.5" "3.5" -> 2, 4 as integers (halves to even);  "40000" as an integer: overflow (6)
//   "", "1x", "1e", "--1", ",5" in Czech             -> type mismatch (13)
//
// Dates: up to three numbers for the date and three for the time, apart with the locale's date
// separator, '-', '/', ',' or blanks; the time's with ':' (or '.' where the date's is not '.').
// A month may be named (full, abbreviated, and for Czech in the genitive: "20. května 2024"), a
// day name is passed over, "AM"/"PM" (Czech "dop."/"odp.") or a lone 'a'/'p' after a number
// marks the hour. The numbers are tried in the locale's order first, then in any order that
// makes a real day:
//   "5/20/2024" (en-US and cs-CZ alike: no 20th month) -> 2024-05-20
//   "20.5.2024" (cs-CZ)  "2024-05-20 13:45"  "May 20, 2024"  "20 May 2024"
//   "1.5" in Czech is 1 May of `current_year`; in English it is 01:05 on day 0
// A year below 100, however written, reads as 2000..2049 for 0..49 and 1950..1999 for 50..99
// ("5/20/45" and "5/20/0045" are 2045-05-20). This is not the rule for building a date from
// parts (make_date reads 45 as 1945). Any other year outside 100..9999, and any hour, minute or
// second out of range, is type mismatch however many digits it has ("1/1/67535" is no 1999).
// One number alone is no date ("45000" is type mismatch).
// ISO dates with a 'T' before the time of day ("2024-05-20T13:45:00", or without the seconds)
// read as date_text.h does.
//
// Booleans: "True"/"False" (any case, nothing around them), "#TRUE#"/"#FALSE#", else a number
// as above (0 is False, any other True).
#pragma once

#include <string_view>

#include "platform/date.h"
#include "platform/int16.h"
#include "platform/locale.h"

namespace dnovar {

Int16 i2_from_text(std::string_view text, Locale locale);
Int32 i4_from_text(std::string_view text, Locale locale);
double r8_from_text(std::string_view text, Locale locale);
DateSerial date_from_text(std::string_view text, Locale locale, int current_year);
Bool16 bool_from_text(std::string_view text, Locale locale);

}  // namespace dnovar
