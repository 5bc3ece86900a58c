#include "platform/error.h"

#include <new>

namespace dnovar {

void raise_invalid_argument() {
  throw RuntimeError(error_number::invalid_argument, "Invalid procedure call or argument");
}
void raise_overflow() {
  throw RuntimeError(error_number::overflow, "Overflow");
}
void raise_type_mismatch() {
  throw RuntimeError(error_number::type_mismatch, "Type mismatch");
}
void raise_object_not_set() {
  throw RuntimeError(error_number::object_not_set,
                     "Object variable or With block variable not set");
}
void raise_no_such_element(long long index) {
  throw RuntimeError(error_number::no_such_element,
                     "Control array element '" + std::to_string(index) + "' doesn't exist");
}
void raise_not_supported() {
  throw RuntimeError(error_number::not_supported, "Object doesn't support this property or method");
}

namespace {
// Made when the program starts: copying a RuntimeError shares its text, so these can be handed
// out when there is no memory left to make a message.
const RuntimeError kOutOfMemory(error_number::out_of_memory, "Out of memory");
const RuntimeError kInternalError(error_number::internal_error, "Internal error");
}  // namespace

RuntimeError error_in_flight() noexcept {
  try {
    throw;
  } catch (const RuntimeError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  } catch (const std::exception& error) {
    try {
      return RuntimeError(error_number::internal_error,
                          std::string("Internal error: ") + error.what());
    } catch (...) {
      return kOutOfMemory;
    }
  } catch (...) {
    return kInternalError;
  }
}

}  // namespace dnovar
