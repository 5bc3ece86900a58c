// Numbers from text by a locale's rules (text_conversion.h).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/text_conversion.h"
#include "platform/text_scan.h"

namespace dnovar {

namespace {

// A number as read, before it is made into a type: decimal digits times 10^power, or a bit
// pattern of hexadecimal or octal digits (bits_per_digit 4 or 3).
struct ReadNumber {
  std::string digits;  // each 0..15, most significant first
  int power = 0;
  int bits_per_digit = 0;
  bool negative = false;
};

class NumberReader {
 public:
  NumberReader(std::u32string_view text, const LocaleText& locale) : text_(text), locale_(locale) {}

  ReadNumber read() {
    read_leading();
    if (!decimal_ && !currency_) read_radix_prefix();
    skip_zeros();
    read_body();
    if (in_exponent_) raise_type_mismatch();
    if (number_.digits.empty() && leading_zero_) number_.digits = std::string(1, '\0');
    if (number_.bits_per_digit == 0) {
      while (number_.digits.size() > 1 && number_.digits.back() == 0) {
        number_.digits.pop_back();
        ++number_.power;
      }
    }
    read_trailing();
    if (parentheses_ && !number_.negative) raise_type_mismatch();
    if (pos_ != text_.size() || number_.digits.empty()) raise_type_mismatch();
    return number_;
  }

 private:
  char32_t at(std::size_t pos) const { return pos < text_.size() ? text_[pos] : U'\0'; }
  char32_t current() const { return at(pos_); }
  bool hex_or_octal() const { return number_.bits_per_digit != 0; }
  bool is_decimal_point(char32_t c) const {
    return c == locale_.decimal || c == locale_.currency_decimal;
  }
  // A no-break space as separator lets a plain space stand for it.
  bool is_thousands(char32_t c) const {
    return c == locale_.thousands || (locale_.thousands == U'\u00A0' && c == U' ');
  }
  bool at_currency() const { return text_.substr(pos_).starts_with(locale_.currency); }

  void skip_zeros_after_point(std::size_t from) {
    while (at(from) == U'0') {
      leading_zero_ = true;
      --number_.power;
      ++from;
    }
    pos_ = from;
  }

  void read_leading() {
    while (pos_ < text_.size()) {
      const char32_t c = current();
      if (is_decimal_point(c)) {
        decimal_ = true;
        skip_zeros_after_point(pos_ + 1);
        return;
      }
      if (is_text_space(c)) {
        while (is_text_space(current())) ++pos_;
      } else if (is_thousands(c) || c == locale_.currency_thousands) {
        raise_type_mismatch();  // no separator before the first digit
      } else if (c == U'+' && !leading_plus_) {
        leading_plus_ = true;
        ++pos_;
      } else if (c == U'-' && !leading_minus_) {
        leading_minus_ = true;
        number_.negative = true;
        ++pos_;
      } else if (!currency_ && at_currency()) {
        currency_ = true;
        pos_ += locale_.currency.size();
      } else if (c == U'(' && !parentheses_) {
        parentheses_ = true;
        ++pos_;
      } else {
        return;
      }
    }
  }

  void read_radix_prefix() {
    if (current() != U'&') return;
    const char32_t kind = at(pos_ + 1);
    if (kind == U'H' || kind == U'h') number_.bits_per_digit = 4;
    if (kind == U'O' || kind == U'o') number_.bits_per_digit = 3;
    if (hex_or_octal()) pos_ += 2;
  }

  void skip_zeros() {
    while (current() == U'0') {
      leading_zero_ = true;
      ++pos_;
    }
  }

  void read_exponent() {
    int exponent = 0;
    while (is_ascii_digit(current())) {
      if (exponent < 100000) exponent = exponent * 10 + static_cast<int>(current() - U'0');
      ++pos_;
    }
    number_.power += negative_exponent_ ? -exponent : exponent;
    in_exponent_ = false;
  }

  void read_body() {
    while (pos_ < text_.size()) {
      const char32_t c = current();
      if (is_ascii_digit(c)) {
        if (in_exponent_) {
          read_exponent();
          continue;
        }
        if (number_.bits_per_digit == 3 && c > U'7') return;
        if (decimal_) --number_.power;
        number_.digits.push_back(static_cast<char>(c - U'0'));
      } else if (!hex_or_octal() && (is_thousands(c) || c == locale_.currency_thousands)) {
        // separators may stand anywhere among the digits
      } else if (is_decimal_point(c) && !hex_or_octal() && !decimal_ && !exponent_) {
        decimal_ = true;
        if (number_.digits.empty()) {
          skip_zeros_after_point(pos_ + 1);
          continue;
        }
      } else if (number_.bits_per_digit == 4 && is_hex_letter(c)) {
        number_.digits.push_back(static_cast<char>(hex_letter_value(c)));
      } else if ((c == U'e' || c == U'E') && !hex_or_octal() && !currency_ && !exponent_) {
        exponent_ = in_exponent_ = true;
      } else if (in_exponent_ && c == U'+') {
      } else if (in_exponent_ && c == U'-') {
        negative_exponent_ = true;
      } else {
        return;
      }
      ++pos_;
    }
  }

  void read_trailing() {
    while (pos_ < text_.size()) {
      const char32_t c = current();
      if (is_thousands(c) || c == locale_.currency_thousands) {
        if (hex_or_octal()) return;  // not even as a blank
        ++pos_;
      } else if (is_text_space(c)) {
        while (is_text_space(current())) ++pos_;
      } else if (c == U'+' && !leading_plus_) {
        ++pos_;
      } else if (c == U'-' && !leading_minus_) {
        number_.negative = true;
        ++pos_;
      } else if (c == U')' && parentheses_) {
        number_.negative = true;
        ++pos_;
      } else if (!hex_or_octal() && at_currency()) {
        pos_ += locale_.currency.size();
      } else {
        return;
      }
    }
  }

  std::u32string_view text_;
  const LocaleText& locale_;
  std::size_t pos_ = 0;
  ReadNumber number_;
  bool decimal_ = false, currency_ = false, parentheses_ = false;
  bool leading_plus_ = false, leading_minus_ = false, leading_zero_ = false;
  bool exponent_ = false, in_exponent_ = false, negative_exponent_ = false;
};

ReadNumber read_number(std::string_view text, Locale locale) {
  const std::u32string wide = text_characters(text);
  return NumberReader(wide, locale_text(locale)).read();
}

// A bit pattern's value, or overflow past 64 bits.
std::uint64_t bit_pattern(const ReadNumber& number) {
  std::uint64_t value = 0;
  for (const char digit : number.digits) {
    if (value > (UINT64_MAX >> number.bits_per_digit)) raise_overflow();
    value = (value << number.bits_per_digit) | static_cast<std::uint64_t>(digit);
  }
  return value;
}

// The whole number nearest to a decimal reading, halves to even; the sign is the caller's.
std::uint64_t rounded_magnitude(const ReadNumber& number) {
  const int count = static_cast<int>(number.digits.size());
  const int whole_digits = number.power >= 0 ? count : std::max(0, count + number.power);
  std::uint64_t value = 0;
  for (int i = 0; i < whole_digits; ++i) {
    if (value > (UINT64_MAX - 9) / 10) raise_overflow();
    value = value * 10 + static_cast<std::uint64_t>(number.digits[i]);
  }
  for (int i = 0; i < number.power; ++i) {
    if (value > UINT64_MAX / 10) raise_overflow();
    value *= 10;
  }
  // The first fraction digit is the tenths only when no zeros stand between it and the point.
  if (whole_digits < count && count + number.power == whole_digits) {
    const char first = number.digits[whole_digits];
    bool more = false;
    for (int i = whole_digits + 1; i < count; ++i) more = more || number.digits[i] != 0;
    if (first > 5 || (first == 5 && (more || (value & 1) != 0))) ++value;
  }
  return value;
}

// A signed integer of `bits` bits: a bit pattern wraps into it, a decimal must fit.
long long integer_from_text(std::string_view text, Locale locale, int bits) {
  const ReadNumber number = read_number(text, locale);
  const std::uint64_t limit = std::uint64_t{1} << (bits - 1);
  if (number.bits_per_digit != 0) {
    const std::uint64_t pattern = bit_pattern(number);
    if ((pattern >> bits) != 0) raise_overflow();
    return pattern >= limit ? static_cast<long long>(pattern) - static_cast<long long>(limit * 2)
                            : static_cast<long long>(pattern);
  }
  const std::uint64_t magnitude = rounded_magnitude(number);
  if (number.negative && magnitude != 0) {
    if (magnitude > limit) raise_overflow();
    return -static_cast<long long>(magnitude);
  }
  if (magnitude >= limit) raise_overflow();
  return static_cast<long long>(magnitude);
}

}  // namespace

Int16 i2_from_text(std::string_view text, Locale locale) {
  return static_cast<Int16>(integer_from_text(text, locale, 16));
}

Int32 i4_from_text(std::string_view text, Locale locale) {
  return static_cast<Int32>(integer_from_text(text, locale, 32));
}

double r8_from_text(std::string_view text, Locale locale) {
  const ReadNumber number = read_number(text, locale);
  if (number.bits_per_digit != 0) {
    // Patterns beyond 31 bits read as their 32-bit negative where that fits, else overflow.
    const std::uint64_t pattern = bit_pattern(number);
    if (pattern <= 0x7FFFFFFFu) return static_cast<double>(pattern);
    const auto negative = static_cast<std::int64_t>(0 - pattern);
    if (negative >= -2147483648LL) return static_cast<double>(negative);
    raise_overflow();
  }
  std::string decimal;
  for (const char digit : number.digits) decimal.push_back(static_cast<char>('0' + digit));
  decimal += 'e' + std::to_string(number.power);
  double value = 0;
  const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  if (error == std::errc::result_out_of_range) {
    if (number.power > 0) raise_overflow();
    value = 0;  // too small to tell from zero
  }
  return number.negative ? -value : value;
}

Bool16 bool_from_text(std::string_view text, Locale locale) {
  if (equal_ignoring_ascii_case(text, "True") || text == "#TRUE#") return kTrue;
  if (equal_ignoring_ascii_case(text, "False") || text == "#FALSE#") return kFalse;
  return to_bool16(r8_from_text(text, locale) != 0.0);
}

}  // namespace dnovar
