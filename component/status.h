// Status codes of the component interface, and how run-time errors cross it.
//
// A `Status` is a 32-bit code with the classic layout: the top bit set means failure. The codes
// below are the ones our interfaces return. A run-time error of the control crosses an interface
// in one of two ways:
// - through a dispatch call that was given an ExceptionInfo: the call returns `exception` and the
//   info carries the error number and message;
// - otherwise: the call returns the error number packed as a control error, 0x800A0000 | number
//   (error 13 becomes 0x800A000D), so the number survives without the message.
// `error_from_status` turns either form back into the RuntimeError a caller raises; well-known
// statuses map to the numbers the platform's run time gives them (member not found is 438,
// wrong argument count 450, class not registered 429, ...).
#pragma once

#include <cstdint>
#include <string>

#include "platform/error.h"

namespace dnovar {

enum class Status : std::uint32_t {
  ok = 0,
  ok_false = 1,  // success that answers "no" (can-unload-now while objects live)
  fail = 0x80004005,
  no_interface = 0x80004002,
  pointer = 0x80004003,  // a required out-pointer was null
  out_of_memory = 0x8007000E,
  invalid_argument = 0x80070057,
  member_not_found = 0x80020003,  // no member with that name or dispatch id and kind
  type_mismatch = 0x80020005,     // an argument does not convert to its parameter's type
  exception = 0x80020009,         // a run-time error; details in the ExceptionInfo
  overflow = 0x8002000A,          // an argument is out of its parameter type's range
  bad_param_count = 0x8002000E,
  no_aggregation = 0x80040110,  // create_instance with an outer object
  class_not_available = 0x80040111,
  class_not_registered = 0x80040154,
};

constexpr bool succeeded(Status status) {
  return (static_cast<std::uint32_t>(status) & 0x80000000u) == 0;
}
constexpr bool failed(Status status) {
  return !succeeded(status);
}

// What a failed dispatch call reports besides its status.
struct ExceptionInfo {
  int number = 0;              // the run-time error number (13 type mismatch, ...)
  std::string source{};        // who raised it, e.g. "DnovarLib.Dnovar"; may be empty
  std::string description{};   // the error's message
  Status status = Status::ok;  // the same error as a status code (see control_error_status)
};

// 0x800A0000 | number for numbers 1..65535; a negative number is taken to be a status itself (the
// run time gives unmapped statuses as their own negative value).
Status control_error_status(int number);

// The failing status for a run-time error; fills `info` (and returns `exception`) when given.
// Never throws: it runs inside the boundaries' catch blocks; when there is no memory for the
// error's text, `info` reports running out of memory (7) instead.
Status status_from_error(const RuntimeError& error, ExceptionInfo* info) noexcept;

// The run-time error that a failed status stands for (see the top of this file).
RuntimeError error_from_status(Status status, const ExceptionInfo* info = nullptr);

// Raises error_from_status unless the status is a success.
void check_status(Status status, const ExceptionInfo* info = nullptr);

std::string status_text(Status status);  // "0x80020009" and its name where known

// The automation boundary: runs `body`, which returns a Status, and turns whatever it throws into
// a failing status. Nothing escapes into the caller's code.
template <typename Body>
Status guarded_call(ExceptionInfo* info, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return status_from_error(error_in_flight(), info);
  }
}

}  // namespace dnovar
