// dnovar: the command-line face of the calendar control.
#include <CLI/CLI.hpp>

#include "apps/common/command_line.h"
#include "apps/common/run_guarded.h"
#include "apps/dnovar/component_commands.h"
#include "apps/dnovar/date_command.h"
#include "apps/dnovar/script_command.h"
#ifdef DNOVAR_WITH_RENDER
#include "apps/render/render_command.h"
#endif

int main(int argc, char** argv) {
  return dnovar::app::run_program("dnovar", [&] {
    CLI::App app{"Dnovar, a Czech month-calendar control"};
    dnovar::app::add_version_flag(app, "dnovar");
    // At most one command; none is refused after parsing, so that an unknown word is refused as
    // what it is (CLI11 would report the missing command first).
    app.require_subcommand(0, 1);
    // The same command line everywhere: on Windows CLI11 would read "/path" as an option "/path".
    app.allow_windows_style_options(false);
    dnovar::app::add_date_command(app);
    dnovar::app::add_script_command(app);
#ifdef DNOVAR_WITH_RENDER
    dnovar::app::add_render_command(app);
#endif
    dnovar::app::add_component_commands(app);
    if (const auto status = dnovar::app::parse_command_line(app, argc, argv)) return *status;
    if (app.get_subcommands().empty())
      return dnovar::app::exit_status_after(app, CLI::RequiredError("A subcommand"));
    return 0;
  });
}
