#include "platform/variant.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/ascii_case.h"
#include "platform/date_text.h"
#include "platform/error.h"
#include "platform/number_text.h"

namespace dnovar {

namespace {

std::string_view trim_spaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// All of the text is one number (surrounding spaces allowed), or type mismatch.
double whole_text_number(std::string_view text) {
  const std::string_view number = trim_spaces(text);
  std::size_t pos = 0;
  if (pos < number.size() && (number[pos] == '-' || number[pos] == '+')) ++pos;
  std::size_t digits = 0;
  while (pos < number.size() && std::isdigit(static_cast<unsigned char>(number[pos])))
    ++pos, ++digits;
  if (pos < number.size() && number[pos] == '.') {
    ++pos;
    while (pos < number.size() && std::isdigit(static_cast<unsigned char>(number[pos])))
      ++pos, ++digits;
  }
  if (digits == 0 || pos != number.size()) raise_type_mismatch();
  return leading_number(number);
}

}  // namespace

bool Variant::is_numeric() const noexcept {
  return type_ == Type::I2 || type_ == Type::I4 || type_ == Type::R8 || type_ == Type::Date ||
         type_ == Type::Bool;
}

double Variant::numeric() const {
  if (const auto* integer = std::get_if<long long>(&value_)) return static_cast<double>(*integer);
  return std::get<double>(value_);
}

std::string Variant::to_string() const {
  switch (type_) {
    case Type::Empty:
      return "";
    case Type::I2:
    case Type::I4:
      return format_integer(std::get<long long>(value_));
    case Type::R8:
      return format_shortest(std::get<double>(value_));
    case Type::Date:
      return format_date_text(std::get<double>(value_));
    case Type::Bool:
      return std::get<long long>(value_) != 0 ? "True" : "False";
    case Type::String:
      return std::get<std::string>(value_);
  }
  raise_type_mismatch();
}

DateSerial Variant::to_date() const {
  if (type_ == Type::Empty) return 0.0;
  if (type_ == Type::String) {
    const std::string& text = std::get<std::string>(value_);
    if (const auto date = parse_date_text(trim_spaces(text))) return *date;
    const double serial = whole_text_number(text);
    if (!is_valid_date(serial)) raise_overflow();
    return serial;
  }
  const double serial = numeric();
  if (!is_valid_date(serial)) raise_overflow();
  return serial;
}

double Variant::to_r8() const {
  if (type_ == Type::Empty) return 0.0;
  if (type_ == Type::String) return whole_text_number(std::get<std::string>(value_));
  return numeric();
}

Int16 Variant::to_i2() const {
  return round_to_i16(to_r8());
}

Int32 Variant::to_i4() const {
  return round_to_i32(to_r8());
}

Bool16 Variant::to_bool() const {
  if (type_ == Type::String) {
    const std::string_view text = trim_spaces(std::get<std::string>(value_));
    if (equal_ignoring_ascii_case(text, "true")) return kTrue;
    if (equal_ignoring_ascii_case(text, "false")) return kFalse;
    return to_bool16(whole_text_number(text) != 0.0);
  }
  const double value = to_r8();
  if (std::isnan(value)) raise_type_mismatch();
  return to_bool16(value != 0.0);
}

bool Variant::same_value(const Variant& other) const {
  if (is_empty() || other.is_empty()) return is_empty() && other.is_empty();
  if (is_numeric() && other.is_numeric()) return numeric() == other.numeric();
  if (type_ == Type::String && other.type_ == Type::String)
    return std::get<std::string>(value_) == std::get<std::string>(other.value_);
  return false;
}

const char* type_name(Variant::Type type) noexcept {
  switch (type) {
    case Variant::Type::Empty:
      return "empty";
    case Variant::Type::I2:
      return "i2";
    case Variant::Type::I4:
      return "i4";
    case Variant::Type::R8:
      return "r8";
    case Variant::Type::Date:
      return "date";
    case Variant::Type::Bool:
      return "bool";
    case Variant::Type::String:
      return "string";
  }
  return "?";
}

}  // namespace dnovar
