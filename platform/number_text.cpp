#include "platform/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/error.h"

namespace dnovar {

std::string format_integer(long long value) {
  return std::to_string(value);
}

IntegerText::IntegerText(long long value) {
  size_ = static_cast<std::size_t>(std::to_chars(digits_, digits_ + sizeof digits_, value).ptr -
                                   digits_);
}

namespace {
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

double leading_number(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  std::string number;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    if (text[pos] == '-') number.push_back('-');
    ++pos;
  }
  bool any_digit = false;
  while (pos < text.size() && is_digit(text[pos])) {
    number.push_back(text[pos++]);
    any_digit = true;
  }
  if (pos < text.size() && text[pos] == '.') {
    if (!any_digit) number.push_back('0');  // from_chars wants a digit before the point
    number.push_back(text[pos++]);
    while (pos < text.size() && is_digit(text[pos])) {
      number.push_back(text[pos++]);
      any_digit = true;
    }
  }
  if (!any_digit) return 0.0;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Underflow toward zero reads as zero; only magnitudes beyond a double overflow.
    bool all_zero = true;
    for (char c : number)
      if (c >= '1' && c <= '9') all_zero = false;
    if (all_zero) return 0.0;
    const auto dot = number.find('.');
    const std::string whole = number.substr(0, dot);
    if (whole.find_first_not_of("-0") == std::string::npos) return 0.0;
    raise_overflow();
  }
  if (ec != std::errc() || !std::isfinite(value)) raise_overflow();
  (void)end;
  return value;
}

std::string format_shortest(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "nan";
  return std::string(buffer, end);
}

}  // namespace dnovar
