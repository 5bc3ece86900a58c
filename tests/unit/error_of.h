// The number of the run-time error an action raises, 0 when it raises none.
#pragma once

#include "platform/error.h"

namespace dnovar::testing_support {

template <typename Action>
int error_of(Action&& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

}  // namespace dnovar::testing_support
