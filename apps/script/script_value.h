// Values in scripts, and how results are printed.
//   5  -7  0x0000FFFF        integers: 16-bit when they fit, else 32-bit (hex as a bit pattern)
//   65535:i4  5:i2           an integer of the given width
//   1.5:r8                   a double
//   true  false              booleans
//   2024-05-01  2024-05-01T18:00:00  date:36525.75   dates
//   "text"                   strings
//   empty                    the empty value
#pragma once

#include <string>

#include "apps/script/script_lexer.h"
#include "platform/variant.h"

namespace dnovar::script {

// Throws SyntaxError when the token is no value.
Variant parse_value(const Token& token);

// Dates as dates, booleans as true/false, strings quoted, numbers in decimal.
std::string format_value(const Variant& value);

}  // namespace dnovar::script
