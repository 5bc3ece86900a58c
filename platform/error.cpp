#include "platform/error.h"

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
void raise_no_such_element(long long index) {
  throw RuntimeError(error_number::no_such_element,
                     "Control array element '" + std::to_string(index) + "' doesn't exist");
}
void raise_not_supported() {
  throw RuntimeError(error_number::not_supported, "Object doesn't support this property or method");
}

}  // namespace dnovar
