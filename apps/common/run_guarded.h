// The command line's error boundary: whatever the action throws prints `error <number> <message>`
// (see error_in_flight) and makes the program exit with status 1.
#pragma once

#include <cstdlib>
#include <iostream>

#include "platform/error.h"

namespace dnovar::app {

template <typename Action>
void run_guarded(Action&& action) {
  try {
    action();
  } catch (...) {
    const RuntimeError error = error_in_flight();
    std::cout << "error " << error.number() << ' ' << error.what() << std::endl;
    std::exit(1);
  }
}

}  // namespace dnovar::app
