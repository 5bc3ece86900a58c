// The command line's error boundary: a run-time error prints `error <number> <message>` and
// makes the program exit with status 1.
#pragma once

#include <cstdlib>
#include <iostream>

#include "platform/error.h"

namespace dnovar::app {

template <typename Action>
void run_guarded(Action&& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    std::cout << "error " << error.number() << ' ' << error.what() << std::endl;
    std::exit(1);
  }
}

}  // namespace dnovar::app
