#include "apps/script/script_value.h"

#include <charconv>
#include <limits>

#include "platform/date_text.h"
#include "platform/number_text.h"

namespace dnovar::script {

namespace {

bool parse_integer(std::string_view text, long long& value) {
  int base = 10;
  bool negative = false;
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty()) return false;
  unsigned long long magnitude = 0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (ec != std::errc() || end != digits.data() + digits.size()) return false;
  if (base == 16) {
    // Hex literals are bit patterns: 0x8000000F is the 32-bit value with the top bit set.
    if (negative || magnitude > 0xFFFFFFFFull) return false;
    value = magnitude > 0x7FFFFFFFull ? static_cast<long long>(static_cast<std::int32_t>(magnitude))
                                      : static_cast<long long>(magnitude);
    return true;
  }
  if (magnitude > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
    return false;
  value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  return true;
}

bool parse_double(std::string_view text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

Variant integer_of_width(long long value, std::string_view width) {
  if (width == "i2") {
    if (value < -32768 || value > 32767) throw SyntaxError("integer does not fit i2");
    return Variant::i2(static_cast<Int16>(value));
  }
  if (value < std::numeric_limits<Int32>::min() || value > std::numeric_limits<Int32>::max())
    throw SyntaxError("integer does not fit i4");
  return Variant::i4(static_cast<Int32>(value));
}

}  // namespace

Variant parse_value(const Token& token) {
  const std::string& text = token.text;
  if (token.quoted) return Variant::string(text);
  if (text == "true") return Variant::boolean(true);
  if (text == "false") return Variant::boolean(false);
  if (text == "empty") return Variant();
  if (text.rfind("date:", 0) == 0) {
    double serial = 0;
    if (!parse_double(std::string_view(text).substr(5), serial))
      throw SyntaxError("bad date serial", text);
    return Variant::date(serial);
  }
  if (const auto date = parse_date_text(text)) return Variant::date(*date);
  const auto colon = text.find(':');
  if (colon != std::string::npos) {
    const std::string_view number = std::string_view(text).substr(0, colon);
    const std::string_view type = std::string_view(text).substr(colon + 1);
    long long integer = 0;
    double real = 0;
    if ((type == "i2" || type == "i4") && parse_integer(number, integer))
      return integer_of_width(integer, type);
    if (type == "r8" && parse_double(number, real)) return Variant::r8(real);
    throw SyntaxError("bad typed value", text);
  }
  long long integer = 0;
  if (parse_integer(text, integer)) {
    if (integer >= -32768 && integer <= 32767) return Variant::i2(static_cast<Int16>(integer));
    return integer_of_width(integer, "i4");
  }
  throw SyntaxError("not a value", text);
}

std::string format_value(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
      return "empty";
    case Variant::Type::Bool:
      return value.to_bool() ? "true" : "false";
    case Variant::Type::String:
      return quote(value.to_string());
    case Variant::Type::Date: {
      const DateSerial serial = value.to_r8();
      return is_valid_date(serial) ? format_date_text(serial) : "date:" + format_shortest(serial);
    }
    case Variant::Type::R8:
      return format_shortest(value.to_r8());
    default:
      return value.to_string();
  }
}

}  // namespace dnovar::script
