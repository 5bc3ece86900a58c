// `dnovar date build Y M D` and `dnovar date parts SERIAL`.
#pragma once

#include <CLI/CLI.hpp>

namespace dnovar::app {

void add_date_command(CLI::App& app);

}  // namespace dnovar::app
