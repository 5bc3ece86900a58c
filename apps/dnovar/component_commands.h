// `dnovar register`, `dnovar unregister` and `dnovar typelib`.
#pragma once

#include <CLI/CLI.hpp>

namespace dnovar::app {

void add_component_commands(CLI::App& app);

}  // namespace dnovar::app
