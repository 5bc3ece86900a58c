// One run-time error type for the whole control, carrying the platform's error number, and every
// error number the control, its component model and its programs raise.
//
// Control logic never catches these. Three boundaries do, all with `error_in_flight()`: the
// automation boundary (the error becomes the failing status of the call), the toolkit's event
// dispatch (reported to the host) and the command line (printed, exit status 1).
#pragma once

#include <stdexcept>
#include <string>

namespace dnovar {

namespace error_number {
inline constexpr int invalid_argument = 5;  // "Invalid procedure call or argument"
inline constexpr int overflow = 6;
inline constexpr int out_of_memory = 7;
inline constexpr int type_mismatch = 13;
inline constexpr int cannot_load_module = 48;  // "Error in loading DLL"
inline constexpr int internal_error = 51;      // anything that is not a run-time error
inline constexpr int file_not_found = 53;
inline constexpr int file_access = 75;  // "Path/File access error"
inline constexpr int path_not_found = 76;
inline constexpr int object_not_set = 91;
inline constexpr int invalid_file_format = 321;
inline constexpr int no_such_element = 340;  // a control array index without an element
inline constexpr int invalid_property_value = 380;
inline constexpr int form_already_shown = 400;  // "Form already displayed; can't show modally"
inline constexpr int cannot_create_object = 429;
inline constexpr int no_such_interface = 430;
inline constexpr int not_supported = 438;  // the object has no such property or method
inline constexpr int automation_error = 440;
inline constexpr int wrong_argument_count = 450;
inline constexpr int missing_entry_point = 453;  // "Can't find DLL entry point"
}  // namespace error_number

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& message)
      : std::runtime_error(message), number_(number) {}
  int number() const noexcept { return number_; }

 private:
  int number_;
};

// The errors raised with their standard message.
[[noreturn]] void raise_invalid_argument();
[[noreturn]] void raise_overflow();
[[noreturn]] void raise_type_mismatch();
[[noreturn]] void raise_object_not_set();
[[noreturn]] void raise_no_such_element(long long index);
[[noreturn]] void raise_not_supported();

// Inside a catch block: the exception being handled as the run-time error a boundary reports.
// A RuntimeError as it is; std::bad_alloc as 7 ("Out of memory"); any other exception as 51
// ("Internal error: " and its what()).
RuntimeError error_in_flight() noexcept;

}  // namespace dnovar
