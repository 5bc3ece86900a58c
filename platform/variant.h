// A variant value as the automation interface and property bags carry it.
//
// Conversions follow the platform's: a string converts to a number only when all of it is one
// ("12" yes, "12x" no: type mismatch, 13); a number too large for the target overflows (6);
// booleans are -1/0 as numbers and "True"/"False" as text; empty is 0, "" or false.
#pragma once

#include <string>
#include <variant>

#include "platform/date.h"
#include "platform/int16.h"

namespace dnovar {

class Variant {
 public:
  enum class Type { Empty, I2, I4, R8, Date, Bool, String };

  Variant() = default;
  static Variant i2(Int16 v) { return Variant(Type::I2, Storage{static_cast<long long>(v)}); }
  static Variant i4(Int32 v) { return Variant(Type::I4, Storage{static_cast<long long>(v)}); }
  static Variant r8(double v) { return Variant(Type::R8, Storage{v}); }
  static Variant date(DateSerial v) { return Variant(Type::Date, Storage{v}); }
  static Variant boolean(bool v) {
    return Variant(Type::Bool, Storage{static_cast<long long>(v ? -1 : 0)});
  }
  static Variant string(std::string v) { return Variant(Type::String, Storage{std::move(v)}); }

  Type type() const noexcept { return type_; }
  bool is_empty() const noexcept { return type_ == Type::Empty; }

  std::string to_string() const;
  DateSerial to_date() const;
  Int16 to_i2() const;
  Int32 to_i4() const;
  double to_r8() const;
  Bool16 to_bool() const;

  // The same value in the sense a property bag uses to decide "equal to the default": numbers,
  // dates and booleans compare by value across types, strings by text, empty only with empty.
  bool same_value(const Variant& other) const;

  // Exact equality of type and value (for tests and round trips).
  friend bool operator==(const Variant& a, const Variant& b) {
    return a.type_ == b.type_ && a.value_ == b.value_;
  }

 private:
  using Storage = std::variant<std::monostate, long long, double, std::string>;
  Variant(Type type, Storage value) : type_(type), value_(std::move(value)) {}
  bool is_numeric() const noexcept;
  double numeric() const;  // for numeric types only

  Type type_ = Type::Empty;
  Storage value_;
};

const char* type_name(Variant::Type type) noexcept;

}  // namespace dnovar
