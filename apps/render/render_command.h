// `dnovar render --out FILE.png [--date D] [--dlow N --dhigh N] [--no-holidays] [--color C]`:
// a PNG of the control alone, drawn offscreen by the Qt backend, or on Windows by the Win32 one.
#pragma once

#include <CLI/CLI.hpp>

namespace dnovar::app {

void add_render_command(CLI::App& app);

}  // namespace dnovar::app
