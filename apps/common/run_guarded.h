// The command line's error boundaries. run_guarded: whatever a command's action throws prints
// `error <number> <message>` (see error_in_flight) and makes the program exit with status 1.
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

// A program's outermost boundary: whatever escapes `main_body` (which returns the exit status)
// prints `PROGRAM: <message>` on standard error and makes the status 2. No exception leaves a
// program uncaught.
template <typename Main>
int run_program(const char* program, Main&& main_body) {
  try {
    return main_body();
  } catch (...) {
    const RuntimeError error = error_in_flight();
    std::cerr << program << ": error " << error.number() << ' ' << error.what() << std::endl;
    return 2;
  }
}

}  // namespace dnovar::app
