// dnovar: the command-line face of the calendar control.
#include <CLI/CLI.hpp>

#include "apps/common/run_guarded.h"
#include "apps/dnovar/component_commands.h"
#include "apps/dnovar/date_command.h"
#include "apps/dnovar/script_command.h"
#include "apps/installed/installed_module.h"
#ifdef DNOVAR_WITH_RENDER
#include "apps/render/render_command.h"
#endif

int main(int argc, char** argv) {
  dnovar::app::use_installed_module();
  return dnovar::app::run_program("dnovar", [&] {
    CLI::App app{"Dnovar, a Czech month-calendar control"};
    app.require_subcommand(1);
    // The same command line everywhere: on Windows CLI11 would read "/path" as an option "/path".
    app.allow_windows_style_options(false);
    dnovar::app::add_date_command(app);
    dnovar::app::add_script_command(app);
#ifdef DNOVAR_WITH_RENDER
    dnovar::app::add_render_command(app);
#endif
    dnovar::app::add_component_commands(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
  });
}
