// One run-time error type for the whole control, carrying the platform's error number.
//
// Control logic never catches these; two boundaries do: the automation boundary (the error becomes
// the failing status of the call) and the toolkit's event dispatch (reported to the host).
#pragma once

#include <stdexcept>
#include <string>

namespace dnovar {

namespace error_number {
inline constexpr int invalid_argument = 5;  // "Invalid procedure call or argument"
inline constexpr int overflow = 6;
inline constexpr int type_mismatch = 13;
inline constexpr int no_such_element = 340;  // a control array index without an element
inline constexpr int not_supported = 438;    // the object has no such property or method
}  // namespace error_number

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int number() const noexcept { return number_; }

 private:
  int number_;
};

[[noreturn]] void raise_invalid_argument();
[[noreturn]] void raise_overflow();
[[noreturn]] void raise_type_mismatch();
[[noreturn]] void raise_no_such_element(long long index);
[[noreturn]] void raise_not_supported();

}  // namespace dnovar
