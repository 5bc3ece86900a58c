// `dnovar script [--backend headless] FILE`: runs a script of host actions and user input.
#pragma once

#include <CLI/CLI.hpp>

namespace dnovar::app {

void add_script_command(CLI::App& app);

}  // namespace dnovar::app
