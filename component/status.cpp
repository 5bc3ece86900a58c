#include "component/status.h"

#include <cstdio>

namespace dnovar {

namespace {

constexpr std::uint32_t kControlFacility = 0x800A0000u;

struct KnownStatus {
  Status status;
  int number;
  const char* name;
  const char* message;
};

// Statuses a caller can meet, with the run-time error each stands for.
constexpr KnownStatus kKnownStatuses[] = {
    {Status::fail, error_number::automation_error, "fail", "Automation error"},
    {Status::no_interface, error_number::no_such_interface, "no_interface",
     "Class does not support Automation or does not support expected interface"},
    {Status::pointer, error_number::object_not_set, "pointer",
     "Object variable or With block variable not set"},
    {Status::out_of_memory, error_number::out_of_memory, "out_of_memory", "Out of memory"},
    {Status::invalid_argument, error_number::invalid_argument, "invalid_argument",
     "Invalid procedure call or argument"},
    {Status::member_not_found, error_number::not_supported, "member_not_found",
     "Object doesn't support this property or method"},
    {Status::type_mismatch, error_number::type_mismatch, "type_mismatch", "Type mismatch"},
    {Status::overflow, error_number::overflow, "overflow", "Overflow"},
    {Status::bad_param_count, error_number::wrong_argument_count, "bad_param_count",
     "Wrong number of arguments or invalid property assignment"},
    {Status::no_aggregation, error_number::cannot_create_object, "no_aggregation",
     "Class does not support aggregation"},
    {Status::class_not_available, error_number::cannot_create_object, "class_not_available",
     "Class not available"},
    {Status::class_not_registered, error_number::cannot_create_object, "class_not_registered",
     "Class not registered"},
    {Status::exception, error_number::automation_error, "exception", "Automation error"},
};

const KnownStatus* find_known(Status status) {
  for (const KnownStatus& known : kKnownStatuses) {
    if (known.status == status) return &known;
  }
  return nullptr;
}

// Messages of the run-time errors the control raises, for statuses that carry only the number.
const char* standard_message(int number) {
  switch (number) {
    case error_number::invalid_argument:
      return "Invalid procedure call or argument";
    case error_number::overflow:
      return "Overflow";
    case error_number::out_of_memory:
      return "Out of memory";
    case error_number::type_mismatch:
      return "Type mismatch";
    case error_number::internal_error:
      return "Internal error";
    case error_number::no_such_element:
      return "Control array element doesn't exist";
    case error_number::not_supported:
      return "Object doesn't support this property or method";
    default:
      return "Application-defined or object-defined error";
  }
}

std::string hex_status(Status status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
  return text;
}

}  // namespace

Status control_error_status(int number) {
  if (number < 0) return static_cast<Status>(static_cast<std::uint32_t>(number));
  if (number == 0 || number > 0xFFFF) return Status::fail;
  return static_cast<Status>(kControlFacility | static_cast<std::uint32_t>(number));
}

Status status_from_error(const RuntimeError& error, ExceptionInfo* info) noexcept {
  const Status status = control_error_status(error.number());
  if (info == nullptr) return status;
  try {
    info->description = error.what();
    info->number = error.number();
    info->status = status;
  } catch (...) {
    // No memory for the text: the error becomes running out of memory, whose message needs none
    // (it fits in the string itself).
    info->number = error_number::out_of_memory;
    info->description = "Out of memory";
    info->status = control_error_status(error_number::out_of_memory);
  }
  return Status::exception;
}

RuntimeError error_from_status(Status status, const ExceptionInfo* info) {
  if (status == Status::exception && info != nullptr && info->number != 0) {
    return RuntimeError(info->number, info->description);
  }
  if (const KnownStatus* known = find_known(status))
    return RuntimeError(known->number, known->message);
  const auto code = static_cast<std::uint32_t>(status);
  if ((code & 0xFFFF0000u) == kControlFacility && (code & 0xFFFF) != 0) {
    const int number = static_cast<int>(code & 0xFFFF);
    return RuntimeError(number, standard_message(number));
  }
  return RuntimeError(static_cast<int>(code), "Automation error " + hex_status(status));
}

void check_status(Status status, const ExceptionInfo* info) {
  if (failed(status)) throw error_from_status(status, info);
}

std::string status_text(Status status) {
  if (status == Status::ok) return "0x00000000 ok";
  if (status == Status::ok_false) return "0x00000001 ok_false";
  if (const KnownStatus* known = find_known(status)) return hex_status(status) + " " + known->name;
  return hex_status(status);
}

}  // namespace dnovar
