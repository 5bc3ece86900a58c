// Numbers as text, the way the control writes and reads them.
//
// Writing: plain decimal, no leading zeros or blanks, '-' only when negative (the picture "#0").
// Reading: the leading number of a text. Spaces are skipped, then an optional sign, digits and an
// optional '.' with further digits; the first character that cannot continue the number ends it.
//   "  -7abc" -> -7,  "12.5.3" -> 12.5,  "-" -> 0,  "" -> 0,  "x1" -> 0,  "+.5" -> 0.5
// A number too large for a double is an overflow (6), never infinity.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dnovar {

std::string format_integer(long long value);

// The same text in a buffer of its own, for a caller that only hands it on (no allocation).
class IntegerText {
 public:
  explicit IntegerText(long long value);
  std::string_view view() const { return {digits_, size_}; }

 private:
  char digits_[24];
  std::size_t size_;
};

double leading_number(std::string_view text);

// The shortest decimal text that reads back as exactly the same double ("36525", "-1.25").
std::string format_shortest(double value);

}  // namespace dnovar
